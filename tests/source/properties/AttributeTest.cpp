#include <gtest/gtest.h>

#include <string>

#include "source/properties/cAttribute.h"

namespace {

// A widget-like owner: its getters fill the value they are handed, its setters read it.
template <class T>
struct Owner {
  DelegateArg Set(DelegateArg address) {
    value = *reinterpret_cast<const T*>(address);
    ++sets;
    return 0;
  }
  DelegateArg Get(DelegateArg address) {
    *reinterpret_cast<T*>(address) = value;
    return 0;
  }
  void Bind(PropertyMap& map, const std::string& name) {
    BindAttribute<T>(map, name, MakeMemberDelegate(this, &Owner::Get), MakeMemberDelegate(this, &Owner::Set));
  }
  T value{};
  int sets = 0;
};

template <class T>
std::string RoundTrip(const std::string& text) {
  PropertyMap map;
  Owner<T> owner;
  owner.Bind(map, "a");
  SetPropertyValue(map, "a", text);
  return GetPropertyValue(map, "a");
}

// Ints read as scanf's %i, bools as bound bools do, text as it is; vectors are space-separated
// six-decimal numbers.
TEST(Attributes, EachTypeReadsItsTextAndPrintsItBack) {
  EXPECT_EQ(RoundTrip<int>("42"), "42");
  EXPECT_EQ(RoundTrip<int>("  -8 rest"), "-8");
  EXPECT_EQ(RoundTrip<int>("0x1F"), "31");
  EXPECT_EQ(RoundTrip<int>("010"), "8");
  EXPECT_EQ(RoundTrip<int>("none"), "0");
  EXPECT_EQ(RoundTrip<bool>("true"), "true");
  EXPECT_EQ(RoundTrip<bool>("1"), "true");
  EXPECT_EQ(RoundTrip<bool>("TRUE"), "false");
  EXPECT_EQ(RoundTrip<bool>("yes"), "false");
  EXPECT_EQ(RoundTrip<std::string>("  center, top  "), "  center, top  ");
  EXPECT_EQ(RoundTrip<float>("0.5"), "0.500000");
  EXPECT_EQ(RoundTrip<Vector2>("1 2"), "1.000000 2.000000");
  EXPECT_EQ(RoundTrip<Vector3>("0.5 -1.25 3"), "0.500000 -1.250000 3.000000");
  EXPECT_EQ(RoundTrip<Vector4>("1 0.5 0 1"), "1.000000 0.500000 0.000000 1.000000");
  // Components the text does not give stay zero.
  EXPECT_EQ(RoundTrip<Vector4>("0.25 0.75"), "0.250000 0.750000 0.000000 0.000000");
  EXPECT_EQ(RoundTrip<Vector3>("1 x 3"), "1.000000 0.000000 0.000000");
  EXPECT_EQ(RoundTrip<Vector2>("\t7\n8"), "7.000000 8.000000");
}

TEST(Attributes, AMatrixRoundTripsItsTwelveNumbers) {
  const std::string text =
      "1.000000 0.000000 0.000000 0.000000 0.866025 0.500000 0.000000 -0.500000 0.866025 "
      "12.500000 -3.000000 400.250000";
  PropertyMap map;
  Owner<Matrix4> owner;
  owner.Bind(map, "matrix");
  SetPropertyValue(map, "matrix", text);
  EXPECT_EQ(GetPropertyValue(map, "matrix"), text);
  EXPECT_FLOAT_EQ(owner.value.m[12], 12.5f);
  EXPECT_FLOAT_EQ(owner.value.m[14], 400.25f);
  EXPECT_EQ(owner.value.m[3], 0.0f);
  EXPECT_EQ(owner.value.m[7], 0.0f);
  EXPECT_EQ(owner.value.m[11], 0.0f);
  EXPECT_EQ(owner.value.m[15], 1.0f);
}

TEST(Attributes, AMatrixTextSetsTheLastColumnWhateverTheOwnerHeld) {
  Matrix4 m;
  m.m[3] = 5.0f;
  m.m[15] = 9.0f;
  ParseAttributeText("1 2 3 4 5 6 7 8 9 10 11 12", m);
  EXPECT_EQ(m.m[3], 0.0f);
  EXPECT_EQ(m.m[15], 1.0f);
  EXPECT_EQ(m.m[4], 4.0f);
  EXPECT_EQ(m.m[12], 10.0f);
}

TEST(Attributes, WideTextConvertsFromAndToUtf8) {
  PropertyMap map;
  Owner<std::u16string> owner;
  owner.Bind(map, "text");
  SetPropertyValue(map, "text", "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(owner.value, u"caf\u00E9 \u20AC");
  EXPECT_EQ(GetPropertyValue(map, "text"), "caf\xC3\xA9 \xE2\x82\xAC");
}

TEST(Attributes, AWideCharacterIsTheTextsFirstCharacter) {
  PropertyMap map;
  Owner<char16_t> owner;
  owner.Bind(map, "cursor_char");
  SetPropertyValue(map, "cursor_char", "\xE2\x82\xAC and more");
  EXPECT_EQ(owner.value, u'\u20AC');
  EXPECT_EQ(GetPropertyValue(map, "cursor_char"), "\xE2\x82\xAC");
  SetPropertyValue(map, "cursor_char", "");
  EXPECT_EQ(owner.value, u'\0');
  EXPECT_EQ(GetPropertyValue(map, "cursor_char"), "");
}

TEST(Attributes, AWriteOnlyAttributeReadsEmptyAndAReadOnlyOneIgnoresText) {
  PropertyMap map;
  Owner<int> owner;
  owner.value = 3;
  BindAttribute<int>(map, "write_only", DelegatePtr(), MakeMemberDelegate(&owner, &Owner<int>::Set));
  BindAttribute<int>(map, "read_only", MakeMemberDelegate(&owner, &Owner<int>::Get), DelegatePtr());
  EXPECT_EQ(GetPropertyValue(map, "write_only"), "");
  SetPropertyValue(map, "read_only", "8");
  EXPECT_EQ(owner.value, 3);
  EXPECT_EQ(owner.sets, 0);
  SetPropertyValue(map, "write_only", "8");
  EXPECT_EQ(owner.value, 8);
  EXPECT_EQ(GetPropertyValue(map, "read_only"), "8");
}

TEST(Attributes, AGetterMayLeaveTheValueUntouched) {
  // "Nothing to report" getters leave the zero value they were handed.
  PropertyMap map;
  BindAttribute<std::string>(map, "edit_text", MakeFunctionDelegate([](DelegateArg) -> DelegateArg { return 0; }),
                             DelegatePtr());
  EXPECT_EQ(GetPropertyValue(map, "edit_text"), "");
}

TEST(Attributes, AFormTextSetBeforeTheWidgetBindsReachesItsSetter) {
  PropertyMap map;
  SetPropertyValue(map, "size", "10 20 0");
  Owner<Vector3> owner;
  owner.Bind(map, "size");
  EXPECT_EQ(owner.value, Vector3(10, 20, 0));
  EXPECT_EQ(owner.sets, 1);
}

}  // namespace
