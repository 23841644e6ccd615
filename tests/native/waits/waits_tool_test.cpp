// Runs the velkorin-waits program as a user would and checks what it prints and returns.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hand_reference.h"

#ifndef VELKORIN_WAITS_TOOL
#error "VELKORIN_WAITS_TOOL must name the program under test"
#endif

namespace {

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const std::string &path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string Quoted(const std::string &s) {
  std::string q = "'";
  for (char c : s)
    q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs the tool with args, feeding input on its standard input.
ToolRun RunTool(const std::vector<std::string> &args, const std::string &input = "") {
  static int serial = 0;
  const std::string base = ::testing::TempDir() + "velkorin_waits_" + std::to_string(::getpid()) +
                           "_" + std::to_string(++serial);
  const std::string in = base + ".in", out = base + ".out", err = base + ".err";
  {
    std::ofstream f(in, std::ios::binary);
    f << input;
  }
  std::string cmd = Quoted(VELKORIN_WAITS_TOOL);
  for (const std::string &a : args)
    cmd += " " + Quoted(a);
  cmd += " <" + Quoted(in) + " >" + Quoted(out) + " 2>" + Quoted(err);
  const int raw = std::system(cmd.c_str());
  ToolRun r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = Slurp(out);
  r.err = Slurp(err);
  std::remove(in.c_str());
  std::remove(out.c_str());
  std::remove(err.c_str());
  return r;
}

bool Contains(const std::string &haystack, const std::string &needle) {
  return haystack.find(needle) != std::string::npos;
}

// The waits as the program prints them, by the shared reference search.
std::string ReferenceAnswer(const std::array<int, 10> &c) {
  ref::Ranks h;
  std::copy(c.begin(), c.end(), h.n);
  std::string answer;
  for (int r = 1; r <= 9; ++r)
    if (ref::CompletesWith(h, r))
      answer += answer.empty() ? std::string(1, '0' + r) : " " + std::string(1, '0' + r);
  return answer.empty() ? "None" : answer;
}

}  // namespace

TEST(WaitsTool, AnswersHandsFromArguments) {
  const ToolRun r = RunTool({"1112345678999", "1111223355779", "2222345678999", "1122334557799",
                             "1122334455667", "9991112345678"});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ("", r.err);
  EXPECT_EQ(
      "1112345678999\t1 2 3 4 5 6 7 8 9\n"
      "1111223355779\tNone\n"
      "2222345678999\t1 4 5 7 8\n"
      "1122334557799\t4\n"
      "1122334455667\t1 4 7\n"
      "9991112345678\t1 2 3 4 5 6 7 8 9\n",
      r.out);
}

TEST(WaitsTool, BadHandsAreReportedAndSkipped) {
  const ToolRun r =
      RunTool({"123", "1112345678999", "1111123456789", "11123456789x9", "2222345678999"});
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("1112345678999\t1 2 3 4 5 6 7 8 9\n2222345678999\t1 4 5 7 8\n", r.out);
  EXPECT_TRUE(Contains(r.err, "\"123\": 13 tiles expected, found 3")) << r.err;
  EXPECT_TRUE(Contains(r.err, "\"1111123456789\": rank 1 appears 5 times")) << r.err;
  EXPECT_TRUE(Contains(r.err, "'x' at position 12")) << r.err;
}

TEST(WaitsTool, UsageErrors) {
  for (const std::vector<std::string> &args :
       {std::vector<std::string>{}, {"-x"}, {"--help"}, {"1112345678999", "-q"}, {"--"}}) {
    const ToolRun r = RunTool(args);
    EXPECT_EQ(2, r.status) << (args.empty() ? "no arguments" : args.back());
    EXPECT_EQ("", r.out) << "nothing is answered when the command is wrong";
    EXPECT_TRUE(Contains(r.err, "usage:")) << r.err;
  }
  EXPECT_TRUE(Contains(RunTool({"-x"}).err, "unknown option -x"));
}

TEST(WaitsTool, ReadsStandardInput) {
  const ToolRun r = RunTool({"-"},
                            "1112345678999\r\n"
                            "\r\n"
                            "\n"
                            "   \n"
                            "  2222345678999\t\n"
                            "12345\n"
                            "1111123456789\r\n"
                            "1111223355779");  // no line feed after the last hand
  EXPECT_EQ(1, r.status);
  EXPECT_EQ(
      "1112345678999\t1 2 3 4 5 6 7 8 9\n"
      "2222345678999\t1 4 5 7 8\n"
      "1111223355779\tNone\n",
      r.out);
  EXPECT_TRUE(Contains(r.err, "line 6: \"12345\": 13 tiles expected, found 5")) << r.err;
  EXPECT_TRUE(Contains(r.err, "line 7: \"1111123456789\": rank 1")) << r.err;
  EXPECT_FALSE(Contains(r.err, "line 1:")) << r.err;
  EXPECT_FALSE(Contains(r.err, "line 8:")) << r.err;
}

TEST(WaitsTool, StandardInputAlone) {
  EXPECT_EQ(0, RunTool({"-"}, "").status);
  const ToolRun blanks = RunTool({"-"}, "\n\r\n \n");
  EXPECT_EQ(0, blanks.status);
  EXPECT_EQ("", blanks.out);
  EXPECT_EQ("", blanks.err);
  const ToolRun good = RunTool({"-"}, "1122334455667\n");
  EXPECT_EQ(0, good.status);
  EXPECT_EQ("1122334455667\t1 4 7\n", good.out);
}

TEST(WaitsTool, ArgumentsAndStandardInputInOrder) {
  const ToolRun r = RunTool({"1111223355779", "-", "1122334557799"}, "2222345678999\n");
  EXPECT_EQ(0, r.status);
  EXPECT_EQ("1111223355779\tNone\n2222345678999\t1 4 5 7 8\n1122334557799\t4\n", r.out);
}

TEST(WaitsTool, LongLinesAcrossReadBuffers) {
  // A line far longer than any read buffer must still be one line, with its number.
  std::string input = "1112345678999\n" + std::string(200000, '1') + "\n1122334557799\n";
  const ToolRun r = RunTool({"-"}, input);
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("1112345678999\t1 2 3 4 5 6 7 8 9\n1122334557799\t4\n", r.out);
  EXPECT_TRUE(Contains(r.err, "line 2: ")) << r.err.substr(0, 200);
  EXPECT_TRUE(Contains(r.err, "found 200000")) << r.err.substr(0, 200);
}

// Every hand of thirteen tiles with at most `most` of a rank, as text in a scrambled order so
// that sorting is not taken for granted, and all of them as one input with mixed line ends.
struct AllHandsInput {
  std::vector<std::array<int, 10>> hands;
  std::vector<std::string> texts;
  std::string input;
  explicit AllHandsInput(int most) {
    ref::ForEachHand(13, most, [&](const ref::Ranks &h) {
      hands.emplace_back();
      std::copy(h.n, h.n + 10, hands.back().begin());
    });
    texts.reserve(hands.size());
    for (size_t i = 0; i < hands.size(); ++i) {
      std::string t;
      for (int r = 1; r <= 9; ++r)
        t.append(static_cast<size_t>(hands[i][r]), static_cast<char>('0' + r));
      std::rotate(t.begin(), t.begin() + static_cast<long>(i % 13), t.end());
      if (i % 2)
        std::reverse(t.begin(), t.end());
      input += t + (i % 3 ? "\n" : "\r\n");
      texts.push_back(t);
    }
  }
};

// Every hand of thirteen tiles with up to one tile of a rank too many, through standard input:
// the tool answers each hand that can be held as the reference search does, in order, and
// turns away each other one by its line.
TEST(WaitsTool, EveryHandAgreesWithTheReference) {
  const AllHandsInput all(ref::kTilesOfARank + 1);
  const ToolRun r = RunTool({"-"}, all.input);
  EXPECT_EQ(1, r.status);
  std::istringstream answers(r.out), errors(r.err);
  std::string line;
  for (size_t i = 0; i < all.hands.size(); ++i) {
    const bool held =
        *std::max_element(all.hands[i].begin(), all.hands[i].end()) <= ref::kTilesOfARank;
    ASSERT_TRUE(std::getline(held ? answers : errors, line)) << "nothing for hand " << i;
    if (held)
      ASSERT_EQ(all.texts[i] + "\t" + ReferenceAnswer(all.hands[i]), line) << "hand " << i;
    else
      ASSERT_TRUE(Contains(line, "line " + std::to_string(i + 1) + ": \"" + all.texts[i] + "\""))
          << line;
  }
  EXPECT_FALSE(std::getline(answers, line)) << "more answers than hands: " << line;
  EXPECT_FALSE(std::getline(errors, line)) << "more errors than bad hands: " << line;
}

TEST(WaitsTool, ExplainsAndCountsEachWait) {
  const ToolRun r = RunTool({"1123456789999", "--counts", "1111223355779", "1122334557799",
                             "2222345678999", "--explain"});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ("", r.err);
  EXPECT_EQ(
      "1123456789999\t1 4 7\t2 3 3\t8 tiles\n"
      "+1  11 123 456 789 999\n"
      "+4  11 234 456 789 999\n"
      "+7  11 234 567 789 999\n"
      "1111223355779\tNone\n"
      "1122334557799\t4\t3\t3 tiles\n"
      "+4  11 22 33 44 55 77 99\n"
      "2222345678999\t1 4 5 7 8\t4 3 3 3 3\t16 tiles\n"
      "+1  99 123 222 456 789\n"
      "+4  99 222 234 456 789\n"
      "+5  55 222 234 678 999\n"
      "+7  99 222 234 567 789\n"
      "+8  88 222 234 567 999\n",
      r.out);
  EXPECT_EQ("1122334455667\t1 4 7\t2 2 3\t7 tiles\n", RunTool({"--counts", "1122334455667"}).out);
}

// A decomposition line "+W  g g g ...": the groups are a pair and four melds, or seven
// different pairs, and together they are exactly the hand and the wait.
void CheckExplanation(const std::string &line, const std::array<int, 10> &hand, int wait) {
  ASSERT_EQ("+" + std::to_string(wait) + "  ", line.substr(0, 4)) << line;
  std::istringstream groups(line.substr(4));
  std::array<int, 10> tiles{};
  std::string g;
  int pairs = 0, melds = 0, lastPair = 0;
  while (groups >> g) {
    for (char ch : g) {
      ASSERT_TRUE(ch >= '1' && ch <= '9') << line;
      ++tiles[ch - '0'];
    }
    const bool same = g.size() >= 2 && g[1] == g[0] && g.back() == g[0];
    const bool run = g.size() == 3 && g[1] == g[0] + 1 && g[2] == g[0] + 2;
    if (g.size() == 2 && same) {
      ASSERT_EQ(melds, 0) << "the pair comes first: " << line;
      ASSERT_GT(g[0] - '0', lastPair) << "seven different pairs: " << line;
      lastPair = g[0] - '0';
      ++pairs;
    } else {
      ASSERT_TRUE(g.size() == 3 && (same || run)) << "not a group: " << g << " in " << line;
      ++melds;
    }
  }
  ASSERT_TRUE((pairs == 1 && melds == 4) || (pairs == 7 && melds == 0)) << line;
  std::array<int, 10> expected = hand;
  ++expected[wait];
  ASSERT_EQ(expected, tiles) << line;
}

// Every hand with --explain and --counts: every wait has one valid decomposition,
// and its count is what the hand leaves of that rank.
TEST(WaitsTool, EveryWaitOfEveryHandIsExplained) {
  const AllHandsInput all(ref::kTilesOfARank);
  const ToolRun r = RunTool({"--explain", "--counts", "-"}, all.input);
  ASSERT_EQ(0, r.status) << r.err.substr(0, 500);
  ASSERT_EQ("", r.err);

  std::istringstream lines(r.out);
  std::string line;
  size_t explained = 0;
  for (size_t i = 0; i < all.hands.size(); ++i) {
    const std::array<int, 10> &hand = all.hands[i];
    const std::string answer = ReferenceAnswer(hand);
    ASSERT_TRUE(std::getline(lines, line)) << "hand " << i;
    if (answer == "None") {
      ASSERT_EQ(all.texts[i] + "\tNone", line);
      continue;
    }
    std::string counts, sep;
    int total = 0;
    for (char w : answer)
      if (w != ' ') {
        counts += sep + std::to_string(4 - hand[w - '0']);
        total += 4 - hand[w - '0'];
        sep = " ";
      }
    ASSERT_EQ(all.texts[i] + "\t" + answer + "\t" + counts + "\t" + std::to_string(total) +
                  (total == 1 ? " tile" : " tiles"),
              line);
    for (char w : answer)
      if (w != ' ') {
        ASSERT_TRUE(std::getline(lines, line)) << "hand " << i;
        CheckExplanation(line, hand, w - '0');
        ++explained;
      }
  }
  EXPECT_FALSE(std::getline(lines, line)) << "more lines than hands and waits: " << line;
  EXPECT_GT(explained, 40000u);
}
