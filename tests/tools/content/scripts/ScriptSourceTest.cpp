// The script source: what parses, how it prints, and the faults of what does not parse.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Sources/adventure/script/LocationScriptFile.h"
#include "source/stream/cMemoryStream.h"
#include "tools/content/scripts/ScriptCompiler.h"

namespace {

std::string Canonical(const std::string& source) {
  ParsedScript parsed;
  std::vector<ScriptFault> faults;
  if (!ParseScriptSource(source, parsed, faults)) return "fault: " + faults.at(0).text;
  return PrintScriptSource(*parsed.root);
}

// Source -> "cnf" bytes -> tree read from them -> source.
std::string BuiltAndPrinted(const std::string& source) {
  cMemoryStream cnf;
  std::vector<ScriptFault> faults;
  if (!CompileScript(source, "levels\\test\\test", ScriptChecks(), cnf, faults)) return "fault: " + faults.at(0).text;
  cnf.Seek(0, 0);
  std::string printed;
  std::string report;
  if (!PrintScriptFile(cnf, printed, report)) return "damaged: " + report;
  return printed;
}

TEST(ScriptSource, SourcesPrintInOneFormThatBuildsAndPrintsBackTheSame) {
  struct Case {
    std::string source;
    std::string canonical;
  };
  const std::vector<Case> cases = {
      {"location", "location\n"},
      {"# the hall\r\nhall {   # its script\r\n\r\n\tclick {\r\n key:   addinventory   key*0 coin*3\r\n }\r\n}\r\n",
       "hall {\n  click {\n    key: addinventory key coin*3\n  }\n}\n"},
      {"s {\n\"\": show \"lamp\"\n}", "s {\n  show lamp\n}\n"},
      {"\"\" \"\"*7 \"a b\"*4294967295", "\"\" \"\"*7 \"a b\"*4294967295\n"},
      {"s \"q\\\"b\\\\s\\x01\\n\\t\\r#{}:*\"", "s \"q\\\"b\\\\s\\x01\\x0A\\x09\\x0D#{}:*\"\n"},
      {"\"true false\": \"wait\" parent.desk\\lamp/x-1_2 \xd0\xba\xd0\xbb\xd1\x8e\xd1\x87",
       "\"true false\": wait parent.desk\\lamp/x-1_2 \xd0\xba\xd0\xbb\xd1\x8e\xd1\x87\n"},
      {"r {\n  a {\n  }\n  b{\n    c\n  }\n}", "r {\n  a\n  b {\n    c\n  }\n}\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Canonical(c.source), c.canonical) << c.source;
    EXPECT_EQ(Canonical(c.canonical), c.canonical);
    EXPECT_EQ(BuiltAndPrinted(c.canonical), c.canonical);
  }
}

std::string Chain(int levels) {
  std::string text;
  for (int i = 0; i < levels - 1; ++i) text += "n {\n";
  text += "n\n";
  for (int i = 0; i < levels - 1; ++i) text += "}\n";
  return text;
}

TEST(ScriptSource, FaultsNameTheirLineAndWhatIsWrong) {
  struct Case {
    std::string source;
    int line;
    std::string fault;
  };
  const std::vector<Case> cases = {
      {"", 0, "holds no statement"},
      {"a {\n  b {\n}\n", 1, "never closed"},
      {"}\n", 1, "without its"},
      {"a\nb\n", 2, "one statement, its root"},
      {"a {\n  x:\n}\n", 2, "followed by its command word"},
      {"a \"open\n", 1, "ends on its own line"},
      {"a \"\\q\"", 1, "unknown escape"},
      {"a \"\\x4\"", 1, "two hexadecimal digits"},
      {"a b*", 1, "kind, a number"},
      {"a b*4294967296", 1, "at most 4294967295"},
      {"a {\n{\n}\n", 2, "belongs at the end"},
      {"a { b\n", 1, "ends its line"},
      {"a b:c", 1, "unexpected \":\""},
      {"a (b)", 1, "unexpected \"(\""},
      {"a {\n} }\n", 2, "stands alone"},
      {Chain(257), 257, "at most 256 levels deep"},
  };
  for (const Case& c : cases) {
    ParsedScript parsed;
    std::vector<ScriptFault> faults;
    EXPECT_FALSE(ParseScriptSource(c.source, parsed, faults)) << c.source;
    EXPECT_FALSE(parsed.root);
    ASSERT_EQ(faults.size(), 1u) << c.source;
    EXPECT_EQ(faults[0].line, c.line) << c.source;
    EXPECT_NE(faults[0].text.find(c.fault), std::string::npos) << c.source << " -> " << faults[0].text;
  }
  EXPECT_EQ(BuiltAndPrinted(Chain(256)), Canonical(Chain(256)));
}

}  // namespace
