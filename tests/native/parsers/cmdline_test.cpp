#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cmdline.h"

namespace {

using Args = std::vector<std::string>;

const char *ModeName(RunMode m) {
  switch (m) {
    case RunMode::PasswordChange:
      return "PasswordChange";
    case RunMode::Setup:
      return "Setup";
    case RunMode::Preview:
      return "Preview";
    case RunMode::FullScreen:
      return "FullScreen";
  }
  return "?";
}

struct StartCase {
  std::string line;
  RunMode mode;
  int32_t parent;
};

void ExpectStarts(const std::vector<StartCase> &cases) {
  for (const StartCase &c : cases) {
    const StartRequest r = ReadStartRequest(c.line);
    EXPECT_EQ(ModeName(c.mode), std::string(ModeName(r.Mode))) << "command line [" << c.line << "]";
    EXPECT_EQ(c.parent, r.PreviewParent) << "command line [" << c.line << "]";
  }
}

}  // namespace

TEST(SplitCommandLine, SkipsTheProgramPath) {
  EXPECT_EQ(Args{}, SplitCommandLine("velkorin.scr"));
  EXPECT_EQ(Args{"/s"}, SplitCommandLine("velkorin.scr /s"));
  EXPECT_EQ(Args({"/p", "1234"}), SplitCommandLine("C:\\WINDOWS\\VELKORIN.SCR /p 1234"));
  // A quoted path with blanks is still one word.
  EXPECT_EQ(Args({"/p", "1234"}), SplitCommandLine("\"C:\\Program Files\\velkorin.scr\" /p 1234"));
  EXPECT_EQ(Args{}, SplitCommandLine("\"C:\\Program Files\\velkorin.scr\""));
  EXPECT_EQ(Args{"/s"}, SplitCommandLine("   velkorin.scr /s"));
}

TEST(SplitCommandLine, EmptyAndBlankLines) {
  EXPECT_EQ(Args{}, SplitCommandLine(""));
  EXPECT_EQ(Args{}, SplitCommandLine("     "));
  EXPECT_EQ(Args{}, SplitCommandLine("\t\r\n "));
  EXPECT_EQ(Args{}, SplitCommandLine("velkorin.scr    "));
}

TEST(SplitCommandLine, EveryControlCharacterSeparates) {
  for (int c = 1; c <= 32; ++c) {
    const std::string sep(1, static_cast<char>(c));
    EXPECT_EQ(Args({"/p", "100"}), SplitCommandLine("v.scr" + sep + "/p" + sep + sep + "100" + sep))
        << "separator code " << c;
  }
  EXPECT_EQ(Args({"/p", "100"}), SplitCommandLine("v.scr\t/p\t100\r\n"));
}

TEST(SplitCommandLine, BytesAboveBlankBelongToWords) {
  EXPECT_EQ(Args{"\x7f"}, SplitCommandLine("v.scr \x7f"));
  // Code page bytes (here Latin-1 e-acute and no-break space) must not split a word.
  EXPECT_EQ(Args{"\xe9t\xe9\xa0x"}, SplitCommandLine("v.scr \xe9t\xe9\xa0x"));
  EXPECT_EQ(Args({"!", "~"}), SplitCommandLine("v.scr ! ~"));
}

TEST(SplitCommandLine, QuotesGroupAndVanish) {
  EXPECT_EQ(Args({"/p", "100"}), SplitCommandLine("v.scr \"/p\" 100"));
  EXPECT_EQ(Args({"ab cd", "e"}), SplitCommandLine("v.scr a\"b c\"d e"));
  EXPECT_EQ(Args({"a\tb"}), SplitCommandLine("v.scr \"a\tb\""));
  EXPECT_EQ(Args({"xy"}), SplitCommandLine("v.scr x\"\"y"));
  EXPECT_EQ(Args({"ab"}), SplitCommandLine("v.scr ab\"\""));
  EXPECT_EQ(Args({"  100"}), SplitCommandLine("v.scr \"  100\""));
}

TEST(SplitCommandLine, EmptyQuotePairsBetweenWordsAreSkipped) {
  EXPECT_EQ(Args{"/s"}, SplitCommandLine("v.scr \"\" /s"));
  EXPECT_EQ(Args{"/s"}, SplitCommandLine("v.scr \"\"\"\" /s"));
  EXPECT_EQ(Args{"/s"}, SplitCommandLine("v.scr \"\" \"\" /s"));
  EXPECT_EQ(Args({"/p", "5"}), SplitCommandLine("v.scr /p \"\"5"));
  EXPECT_EQ(Args{"/s"}, SplitCommandLine("\"\"v.scr /s"));
  EXPECT_EQ(Args{"/s"}, SplitCommandLine("v.scr /s \"\""));
}

TEST(SplitCommandLine, UnmatchedQuoteRunsToTheEnd) {
  EXPECT_EQ(Args({"/p", "12 34"}), SplitCommandLine("v.scr /p \"12 34"));
  EXPECT_EQ(Args({"/p 100"}), SplitCommandLine("v.scr \"/p 100"));
  // A lone quote at the end makes an empty word, which ends the arguments.
  EXPECT_EQ(Args{"a"}, SplitCommandLine("v.scr a \""));
  EXPECT_EQ(Args{"a"}, SplitCommandLine("v.scr a \"\"\""));
  EXPECT_EQ(Args{}, SplitCommandLine("\"v.scr /s"));
}

TEST(SplitCommandLine, NulEndsTheLine) {
  EXPECT_EQ(Args{"/s"}, SplitCommandLine(std::string("v.scr /s\0/p 5", 13)));
  EXPECT_EQ(Args{"/p"}, SplitCommandLine(std::string("v.scr \"/p\0 5\" 7", 15)));
}

TEST(SplitCommandLine, LongArguments) {
  for (size_t n : {255u, 256u, 300u, 1000u, 70000u}) {
    const std::string word(n, 'w');
    const std::string blanks(n, ' ');
    EXPECT_EQ(Args({word, "2"}), SplitCommandLine("v.scr " + word + " 2")) << n;
    EXPECT_EQ(Args({"1", "a" + blanks + "b"}), SplitCommandLine("v.scr 1 \"a" + blanks + "b\""))
        << n;
    EXPECT_EQ(Args{"x"}, SplitCommandLine(std::string(n, 'p') + " x")) << n;
  }
}

TEST(ReadWindowHandle, Decimal) {
  EXPECT_EQ(100, ReadWindowHandle("100"));
  EXPECT_EQ(100, ReadWindowHandle("+100"));
  EXPECT_EQ(-100, ReadWindowHandle("-100"));
  EXPECT_EQ(100, ReadWindowHandle("   100"));
  EXPECT_EQ(100, ReadWindowHandle("0000000000000000000100"));
  EXPECT_EQ(0, ReadWindowHandle("0"));
  EXPECT_EQ(0, ReadWindowHandle("-0"));
  EXPECT_EQ(INT32_MAX, ReadWindowHandle("2147483647"));
  EXPECT_EQ(INT32_MIN, ReadWindowHandle("-2147483648"));
  EXPECT_EQ(INT32_MIN, ReadWindowHandle("-0002147483648"));
}

TEST(ReadWindowHandle, Hexadecimal) {
  EXPECT_EQ(100, ReadWindowHandle("$64"));
  EXPECT_EQ(0xABCDEF, ReadWindowHandle("$abcdef"));
  EXPECT_EQ(0xABCDEF, ReadWindowHandle("$ABCDEF"));
  EXPECT_EQ(0x7FFFFFFF, ReadWindowHandle("$7fffffff"));
  EXPECT_EQ(-1, ReadWindowHandle("$FFFFFFFF"));
  EXPECT_EQ(INT32_MIN, ReadWindowHandle("$80000000"));
  EXPECT_EQ(100, ReadWindowHandle("  $64"));
  EXPECT_EQ(100, ReadWindowHandle("$000000000000064"));
  EXPECT_EQ(-1, ReadWindowHandle("$0000ffffffff"));
}

TEST(ReadWindowHandle, NotANumberReadsAsZero) {
  for (const char *text : {"",           " ",          "+",           "-",
                           "$",          "12ab",       "100 ",        "1 2",
                           "\t100",      "$ 64",       "-$64",        "+$64",
                           "$-1",        "$64 ",       "--1",         "+-1",
                           "- 1",        "0x64",       "1.5",         "1e3",
                           "$g",         "1:0",        "/1",          "$1:",
                           "$/",         "2147483648", "-2147483649", "99999999999999999999",
                           "4294967296", "$100000000", "$1FFFFFFFF",  "$123456789"}) {
    EXPECT_EQ(0, ReadWindowHandle(text)) << "[" << text << "]";
  }
  EXPECT_EQ(0, ReadWindowHandle(std::string("5\0", 2)));
}

TEST(PreviewParentFrom, SecondArgumentOnly) {
  EXPECT_EQ(0, PreviewParentFrom({}));
  EXPECT_EQ(0, PreviewParentFrom({"/p"}));
  EXPECT_EQ(100, PreviewParentFrom({"/p", "100"}));
  EXPECT_EQ(100, PreviewParentFrom({"/p", "100", "200"}));
  EXPECT_EQ(0, PreviewParentFrom({"100", "x"}));
}

TEST(ModeArgFrom, UpperCasesFirstArgumentOrSaysSetup) {
  EXPECT_EQ("/C", ModeArgFrom({}));
  EXPECT_EQ("/SCREEN", ModeArgFrom({"/Screen"}));
  EXPECT_EQ("/P", ModeArgFrom({"/p", "100"}));
  EXPECT_EQ("AZ@[`{", ModeArgFrom({"az@[`{"}));
  EXPECT_EQ("-1:\\", ModeArgFrom({"-1:\\"}));
  // Only a..z change: bytes of other scripts pass as they stand.
  EXPECT_EQ("/\xe1Z\xff", ModeArgFrom({"/\xe1z\xff"}));
}

TEST(SelectMode, SecondCharacterDecides) {
  EXPECT_EQ(RunMode::PasswordChange, SelectMode("/A"));
  EXPECT_EQ(RunMode::Setup, SelectMode("/C"));
  EXPECT_EQ(RunMode::Preview, SelectMode("/P"));
  EXPECT_EQ(RunMode::FullScreen, SelectMode("/S"));
  EXPECT_EQ(RunMode::Preview, SelectMode("XPQ"));
  EXPECT_EQ(RunMode::Setup, SelectMode("CC"));
  EXPECT_EQ(RunMode::FullScreen, SelectMode("C"));
  EXPECT_EQ(RunMode::FullScreen, SelectMode("P"));
  EXPECT_EQ(RunMode::FullScreen, SelectMode(""));
  EXPECT_EQ(RunMode::FullScreen, SelectMode("/B"));
  EXPECT_EQ(RunMode::FullScreen, SelectMode("/Q"));
}

TEST(ReadStartRequest, DocumentedCommandLines) {
  ExpectStarts({
      {"velkorin.scr", RunMode::Setup, 0},
      {"velkorin.scr /c", RunMode::Setup, 0},
      {"velkorin.scr /C", RunMode::Setup, 0},
      {"velkorin.scr /c:1234", RunMode::Setup, 0},
      {"velkorin.scr /c 1234", RunMode::Setup, 0},
      {"velkorin.scr /s", RunMode::FullScreen, 0},
      {"velkorin.scr /S", RunMode::FullScreen, 0},
      {"velkorin.scr -s", RunMode::FullScreen, 0},
      {"velkorin.scr /Screen", RunMode::FullScreen, 0},
      {"velkorin.scr /s 100", RunMode::FullScreen, 0},
      {"velkorin.scr S", RunMode::FullScreen, 0},
      {"velkorin.scr C", RunMode::FullScreen, 0},
      {"velkorin.scr P 100", RunMode::FullScreen, 0},
      {"velkorin.scr /p 100", RunMode::Preview, 100},
      {"velkorin.scr /P 100", RunMode::Preview, 100},
      {"velkorin.scr xP 100", RunMode::Preview, 100},
      {"velkorin.scr -p 100", RunMode::Preview, 100},
      {"velkorin.scr /p", RunMode::Preview, 0},
      {"velkorin.scr /p 12ab", RunMode::Preview, 0},
      {"velkorin.scr /p $64", RunMode::Preview, 100},
      {"velkorin.scr /a 100", RunMode::PasswordChange, 100},
      {"velkorin.scr /A $64", RunMode::PasswordChange, 100},
      {"velkorin.scr /a", RunMode::PasswordChange, 0},
      {"velkorin.scr \"/p\" 100", RunMode::Preview, 100},
      {"velkorin.scr /x", RunMode::FullScreen, 0},
      {"velkorin.scr //", RunMode::FullScreen, 0},
      {"\"C:\\Program Files\\velkorin.scr\" /p 4660", RunMode::Preview, 4660},
  });
  EXPECT_EQ("/C", ReadStartRequest("velkorin.scr").ModeArg);
  EXPECT_EQ("/SCREEN", ReadStartRequest("velkorin.scr /Screen").ModeArg);
}

TEST(ReadStartRequest, HostileCommandLines) {
  const std::string longWord(600, 'q');
  ExpectStarts({
      {"", RunMode::Setup, 0},
      {"      ", RunMode::Setup, 0},
      {"v.scr\t/p\t100", RunMode::Preview, 100},
      {"v.scr /p   -100", RunMode::Preview, -100},
      {"v.scr /p \"  100\"", RunMode::Preview, 100},
      {"v.scr /p \"100 \"", RunMode::Preview, 0},
      {"v.scr /p \"100", RunMode::Preview, 100},
      {"v.scr \"/p 100", RunMode::Preview, 0},
      {"v.scr /p $100000000", RunMode::Preview, 0},
      {"v.scr /p $FFFFFFFF", RunMode::Preview, -1},
      {"v.scr /p -2147483649", RunMode::Preview, 0},
      {"v.scr /p -2147483648", RunMode::Preview, INT32_MIN},
      {"v.scr /p 2147483648", RunMode::Preview, 0},
      {"v.scr /p 2147483647", RunMode::Preview, INT32_MAX},
      {"v.scr /p -", RunMode::Preview, 0},
      {"v.scr /p +", RunMode::Preview, 0},
      {"v.scr /p $", RunMode::Preview, 0},
      {"v.scr /p \t100", RunMode::Preview, 100},
      {"v.scr /p:100", RunMode::Preview, 0},
      {"v.scr /p" + longWord + " 100", RunMode::Preview, 100},
      {"v.scr /a " + std::string(400, '0') + "100", RunMode::PasswordChange, 100},
      {"v.scr /p " + longWord, RunMode::Preview, 0},
      {"v.scr " + longWord + " 100", RunMode::FullScreen, 0},
  });
}
