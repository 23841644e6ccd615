#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "hack_options.h"
#include "profile_int.h"

namespace {
using Args = std::vector<std::string>;
}  // namespace

TEST(ReadWindowId, DecimalAndHexadecimal) {
  const struct {
    const char *text;
    uint32_t id;
  } good[] = {{"1", 1},
              {"4194305", 0x400001},
              {"0x400001", 0x400001},
              {"0X1fffffff", 0x1FFFFFFF},
              {"536870911", 0x1FFFFFFF},
              {"0x00000a", 10},
              {"007", 7}};
  for (const auto &c : good) {
    uint32_t id = 0;
    EXPECT_TRUE(ReadWindowId(c.text, id)) << c.text;
    EXPECT_EQ(c.id, id) << c.text;
  }
}

// What an environment or a hand-written command line may hold; none of it is a window.
TEST(ReadWindowId, RefusesHostileText) {
  const char *bad[] = {"",
                       "0",
                       "0x0",
                       "0x",
                       "0X",
                       "-1",
                       "+5",
                       " 5",
                       "5 ",
                       "5x",
                       "0x1g",
                       "x10",
                       "$10",
                       "0x20000000",
                       "536870912",
                       "4294967296",
                       "0xffffffff",
                       "99999999999999999999999",
                       "0x10000000000000001",
                       "1.5",
                       "0x-1",
                       "\t1"};
  for (const char *text : bad) {
    uint32_t id = 77;
    EXPECT_FALSE(ReadWindowId(text, id)) << "[" << text << "]";
    EXPECT_EQ(77u, id) << "[" << text << "]";
  }
  uint32_t id = 77;
  EXPECT_FALSE(ReadWindowId(std::string("12\0"
                                        "3",
                                        4),
                            id));  // an embedded NUL
}

TEST(ReadSeconds, MillisecondsWithinTheSettingsRange) {
  const struct {
    const char *text;
    bool ok;
    int32_t ms;
  } cases[] = {{"0", true, 0},
               {"15", true, 15000},
               {"0.5", true, 500},
               {"1.25", true, 1250},
               {"2.001", true, 2001},
               {"2147483", true, 2147483000},
               {"2147483.647", true, INT32_MAX},
               {"2147483.648", false, 0},
               {"2147484", false, 0},
               {"99999999999999999999", false, 0},
               {"1.0001", false, 0},
               {".5", false, 0},
               {"5.", false, 0},
               {"-1", false, 0},
               {"", false, 0},
               {"1e3", false, 0},
               {"1,5", false, 0},
               {"0x10", false, 0},
               {"1.-5", false, 0}};
  for (const auto &c : cases) {
    int32_t ms = -7;
    EXPECT_EQ(c.ok, ReadSeconds(c.text, ms)) << c.text;
    EXPECT_EQ(c.ok ? c.ms : -7, ms) << c.text;
  }
}

TEST(ParseHackOptions, DefaultsAreTheSaversSettings) {
  const THackRequest r = ParseHackOptions({});
  ASSERT_EQ("", r.Error);
  EXPECT_EQ(THackTarget::OwnWindow, r.Options.Target);
  EXPECT_FALSE(r.Options.Help);
  for (const TSettingRow &row : SettingRows())
    EXPECT_EQ(row.Default, row.Get(r.Options.Settings)) << row.Label;
}

TEST(ParseHackOptions, BothDashFormsAndInlineValues) {
  const Args lines[] = {
      {"-root", "-no-sort", "-no-answer-rate", "12", "-question-seconds", "1.5", "-answer-seconds",
       "0", "-seed", "4294967295", "-min-waits", "7", "-show-counts", "-show-splits"},
      {"--window", "--root", "--no-sort", "--no-answer-rate=12", "--question-seconds=1.5",
       "--answer-seconds", "0", "--seed=4294967295", "--show-counts", "--min-waits=7",
       "--no-show-splits", "--show-splits"},
      {"--sort", "--window-id", "0x600001", "--no-sort", "--root", "--no-answer-rate", "12",
       "--min-waits", "3", "--question-seconds", "1.5", "--answer-seconds=0.000", "--seed",
       "4294967295", "--show-counts", "--min-waits", "07", "--show-splits"},
  };
  for (const Args &args : lines) {
    const THackRequest r = ParseHackOptions(args);
    ASSERT_EQ("", r.Error) << args[0];
    EXPECT_EQ(THackTarget::Root, r.Options.Target);  // the last target counts
    const SaverSettings &s = r.Options.Settings;
    EXPECT_FALSE(s.Sort);
    EXPECT_EQ(12, s.NoAnsRate);
    EXPECT_EQ(1500, s.SleepTime);
    EXPECT_EQ(0, s.SleepTime2);
    EXPECT_EQ(UINT32_MAX, s.Seed);
    EXPECT_EQ(7, s.MinWaits);
    EXPECT_TRUE(s.ShowCounts);
    EXPECT_TRUE(s.ShowSplits);
  }
  const THackRequest w = ParseHackOptions({"-window-id", "4194305"});
  EXPECT_EQ(THackTarget::WindowId, w.Options.Target);
  EXPECT_EQ(0x400001u, w.Options.WindowId);
  EXPECT_TRUE(ParseHackOptions({"--help"}).Options.Help);
  EXPECT_TRUE(ParseHackOptions({"-h"}).Options.Help);
  EXPECT_TRUE(ParseHackOptions({"--version"}).Options.Version);
  EXPECT_EQ(":7", ParseHackOptions({"--root", "-display", ":7"}).Options.Display);
  EXPECT_EQ(THackTarget::OwnWindow, ParseHackOptions({"--root", "--window"}).Options.Target);
}

// Each bad line is refused with a message that names what was wrong.
TEST(ParseHackOptions, RefusesBadLinesNamingTheFault) {
  const struct {
    Args args;
    const char *mentions;
  } cases[] = {
      {{"--window-id"}, "--window-id needs a value"},
      {{"--window-id", "0"}, "'0'"},
      {{"--window-id", "0x"}, "'0x'"},
      {{"--window-id", "-5"}, "'-5'"},
      {{"--window-id", "99999999999999999999"}, "window id"},
      {{"--window-id="}, "''"},
      {{"--no-answer-rate", "41"}, "0 to 40"},
      {{"--no-answer-rate", "-1"}, "'-1'"},
      {{"--no-answer-rate", "2.5"}, "'2.5'"},
      {{"--no-answer-rate", "18446744073709551617"}, "0 to 40"},
      {{"--question-seconds", "abc"}, "--question-seconds needs seconds"},
      {{"--answer-seconds", "-1"}, "--answer-seconds needs seconds"},
      {{"--answer-seconds", "3000000"}, "2147483.647"},
      {{"--seed", "4294967296"}, "--seed"},
      {{"--min-waits", "8"}, "--min-waits needs a whole number from 0 to 7, not '8'"},
      {{"--min-waits", "-1"}, "'-1'"},
      {{"--min-waits"}, "--min-waits needs a value"},
      {{"--show-counts=1"}, "--show-counts takes no value"},
      {{"--no-min-waits"}, "unknown argument"},
      {{"--display"}, "--display needs a value"},
      {{"--display="}, "--display needs the name of a display"},
      {{"--seed", ""}, "--seed"},
      {{"--sort=1"}, "--sort takes no value"},
      {{"--root=yes"}, "takes no value"},
      {{"---root"}, "unknown argument '---root'"},
      {{"root"}, "unknown argument 'root'"},
      {{"-"}, "unknown argument '-'"},
      {{"--"}, "unknown argument '--'"},
      {{""}, "unknown argument ''"},
      {{"--ROOT"}, "unknown argument"},
      {{"--root", "--fps"}, "'--fps'"},
      // What a user passed is quoted with its control characters spelled out.
      {{"--seed", "1\n2"}, "not '1\\x0a2'"},
      {{"\x1b[2J"}, "unknown argument '\\x1b[2J'"},
  };
  for (const auto &c : cases) {
    const THackRequest r = ParseHackOptions(c.args);
    EXPECT_NE(std::string::npos, r.Error.find(c.mentions))
        << c.args[0] << " gave [" << r.Error << "]";
  }
}

namespace {

std::string FileText(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

// The README's settings block lists every key of the file with its default and, for a
// number, the range the dialog offers; and no key the file does not have.
TEST(SettingRows, TheReadmeSettingsBlockAgreesWithTheTable) {
  const std::string readme = FileText(VELKORIN_SOURCE_DIR "/README.md");
  const size_t start = readme.find("```ini\n");
  ASSERT_NE(std::string::npos, start);
  std::istringstream block(readme.substr(start, readme.find("\n```", start + 1) - start));
  const std::regex setting(R"(^(\w+)=(\S+) +;(.*)$)"), range(R"((-?\d+)\.\.(-?\d+))");
  std::set<std::string> listed;
  for (std::string line; std::getline(block, line);) {
    std::smatch m, r;
    if (!std::regex_match(line, m, setting))
      continue;
    const TSettingRow *row = FindSettingByKey(m[1]);
    ASSERT_TRUE(row && m[1] == row->Key) << line;
    EXPECT_EQ(FormatProfileInt(static_cast<int32_t>(row->Default)), m[2]) << line;
    const std::string comment = m[3];
    if (row->Unit != TSettingUnit::Flag) {
      ASSERT_TRUE(std::regex_search(comment, r, range)) << line;
      EXPECT_EQ(std::to_string(row->OfferLow) + ".." + std::to_string(row->OfferHigh), r[0])
          << line;
    }
    listed.insert(row->Key);
  }
  for (const TSettingRow &row : SettingRows())
    EXPECT_TRUE(!row.Key || listed.count(row.Key)) << row.Key;
}

// The panel offers every setting that both the file and the hack have, with the table's
// default and the range the Windows dialog offers, in the option's unit.
TEST(SettingRows, ThePanelAgreesWithTheTable) {
  const std::string xml = FileText(VELKORIN_SOURCE_DIR "/src/x11/velkorin.xml");
  const std::regex element(R"(<(boolean|number)\s([^>]*)/>)"), attribute(R"(([\w-]+)="([^"]*)\")");
  std::set<const TSettingRow *> offered;
  for (std::sregex_iterator e(xml.begin(), xml.end(), element), end; e != end; ++e) {
    std::map<std::string, std::string> a;
    const std::string attributes = (*e)[2];
    for (std::sregex_iterator i(attributes.begin(), attributes.end(), attribute); i != end; ++i)
      a[(*i)[1]] = (*i)[2];
    const bool on = a.count("arg-unset") > 0;  // a box ticked by default
    std::string option = (*e)[1] == "number" ? a["arg"] : on ? a["arg-unset"] : a["arg-set"];
    option = option.substr(0, option.find(' '));
    ASSERT_EQ(on ? "--no-" : "--", option.substr(0, on ? 5 : 2)) << e->str();
    const TSettingRow *row = FindSettingByOption(option.substr(on ? 5 : 2));
    ASSERT_TRUE(row && row->Key) << e->str();
    if ((*e)[1] == "boolean") {
      EXPECT_EQ(TSettingUnit::Flag, row->Unit) << e->str();
      EXPECT_EQ(on ? 1 : 0, row->Default) << e->str();
    } else {
      EXPECT_EQ(SettingText(*row, row->OfferLow), a["low"]) << e->str();
      EXPECT_EQ(SettingText(*row, row->OfferHigh), a["high"]) << e->str();
      EXPECT_EQ(SettingText(*row, row->Default), a["default"]) << e->str();
    }
    offered.insert(row);
  }
  for (const TSettingRow &row : SettingRows())
    EXPECT_TRUE(!row.Key || !row.Option || offered.count(&row)) << row.Key;
}

// --help and the man page name every option, the man page in the build's version.
TEST(HackUsage, TheHelpAndTheManPageNameEveryOption) {
  const std::string man = FileText(VELKORIN_MAN_PAGE);
  const std::string usage = HackUsage;
  for (const std::string &name : HackOptionNames()) {
    const std::string dashed = (name.size() > 1 ? "--" : "-") + name;
    EXPECT_TRUE(std::regex_search(usage, std::regex("\\s" + dashed + "[ ,]"))) << name;
    EXPECT_NE(std::string::npos, man.find(std::regex_replace(dashed, std::regex("-"), "\\-")))
        << name;
  }
  const std::string version = std::string(HackVersion).substr(0, strlen(HackVersion) - 1);
  EXPECT_NE(std::string::npos, man.find('"' + version + '"')) << version;
}
