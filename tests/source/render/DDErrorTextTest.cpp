#include <gtest/gtest.h>

#include "platform/gfx/Results.h"
#include "source/render/DDErrorText.h"
#include "tests/source/render/RenderTestSupport.h"

namespace {

TEST(DDErrorTable, KnowsTheDeviceLayersCodesInItsComparisonOrder) {
  ASSERT_EQ(DDErrorCodeCount(), 117u);
  ASSERT_EQ(gfx::kResultTableSize, 117u);
  for (std::size_t i = 0; i < DDErrorCodeCount(); ++i) {
    EXPECT_EQ(DDErrorCodeAt(i), gfx::kResultTable[i].code) << "row " << i;
  }
  EXPECT_EQ(DDErrorCodeAt(0), static_cast<int32_t>(0x88760005u));
  EXPECT_EQ(DDErrorCodeAt(116), static_cast<int32_t>(0x88760230u));
}

TEST(DDErrorTable, EveryCodeHasItsOwnDescription) {
  for (std::size_t i = 0; i < DDErrorCodeCount(); ++i) {
    const std::string text = DDErrorDescription(DDErrorCodeAt(i));
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find("Unknown error"), std::string::npos) << i;
  }
}

TEST(DDErrorTable, TheFourWellKnownCodesReadAsDocumented) {
  EXPECT_EQ(DDErrorDescription(static_cast<int32_t>(0x80070057u)),
            "One or more of the parameters passed to the method are incorrect.");
  EXPECT_EQ(DDErrorDescription(static_cast<int32_t>(0x8007000Eu)),
            "DirectDraw does not have enough memory to perform the operation.");
  EXPECT_EQ(DDErrorDescription(static_cast<int32_t>(0x80004001u)), "The operation is not supported.");
  EXPECT_EQ(DDErrorDescription(static_cast<int32_t>(0x80004005u)), "There is an undefined error condition.");
}

TEST(DDErrorTable, AnUnknownCodeShowsTheNumber) {
  EXPECT_EQ(DDErrorDescription(static_cast<int32_t>(0x88769999u)), "Unknown error (Code: 0x88769999)");
}

class DDErrorLog : public RenderTest {};

TEST_F(DDErrorLog, SuccessAndPositiveResultsWriteNothing) {
  const std::string before = LogText();
  DDErrorText("m_device->BeginScene()", 0, "source\\render\\RenderSystem_D3D7", 10);
  DDErrorText("m_device->BeginScene()", 1, "source\\render\\RenderSystem_D3D7", 10);
  EXPECT_EQ(LogText(), before);
}

TEST_F(DDErrorLog, AFailureIsOneErrorEntryWithTheCallAndTheDescription) {
  DDErrorText("m_device->SetLight(index, &light)", gfx::DDERR_INVALIDPARAMS, "source\\light\\Light_D3D7", 90);
  const std::string log = LogText();
  EXPECT_NE(log.find("Direct3D Subsystem (m_device-&gt;SetLight(index, &amp;light)): One or more of the "
                     "parameters passed to the method are incorrect."),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("source\\light\\Light_D3D7"), std::string::npos);
  EXPECT_NE(log.find("Error: "), std::string::npos);
}

TEST_F(DDErrorLog, AnUnknownFailureStillWritesALine) {
  DDErrorText("x()", static_cast<int32_t>(0x80001234u), "s", 1);
  EXPECT_TRUE(LogHas("Direct3D Subsystem (x()): Unknown error (Code: 0x80001234)"));
}

}  // namespace
