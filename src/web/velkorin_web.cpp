// The browser edition's module: the engine and the puzzle behind a few plain functions that
// the page's scripts call. The page owns the clock, the timers and the input; everything
// about hands, waits, places and pictures is decided here.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "html_canvas.h"
#include "problem.h"
#include "puzzle.h"
#include "puzzle_geometry.h"
#include "settings_table.h"
#include "split.h"
#include "strip_image.h"
#include "tile_frame.h"

#define EXPORT(name) extern "C" __attribute__((export_name(name)))

extern const unsigned char TilesBmp[];
extern const size_t TilesBmpSize;

using namespace PuzzleGeometry;

namespace {

struct TWatch {
  std::unique_ptr<TPuzzle> Puzzle;
  int Most = 1;  // the whole scale of the screen's pixel ratio
};

// The module serves one page, which calls it from one thread.
THtmlCanvas canvas;
TWatch watch;
SaverSettings settings;
TRandom practiceRandom;
Problem practice = {};
TTileFrame practiceFrame = MakeTileFrame({});
TTileFrame splitFrame = MakeTileFrame({1, 2});  // the splits under a checked answer
char textBuffer[256];
std::string textOut;  // the last text handed to the page

// The rows the address can set, in the table's order.
std::vector<const TSettingRow *> AddressRows() {
  std::vector<const TSettingRow *> rows;
  for (const TSettingRow &row : SettingRows())
    if (row.UrlName)
      rows.push_back(&row);
  return rows;
}

const TSettingRow *AddressRow(int index) {
  static const std::vector<const TSettingRow *> rows = AddressRows();
  return index >= 0 && static_cast<size_t>(index) < rows.size() ? rows[index] : nullptr;
}

const char *Out(std::string text) {
  textOut = std::move(text);
  return textOut.c_str();
}

// A value as the address writes it; empty for a seed left to the clock.
std::string ValueText(const TSettingRow &row, int64_t value) {
  return value < row.Low ? std::string() : SettingText(row, value);
}

const TStripImage &Strip() {
  static const TStripImage strip = DecodeStripBmp(TilesBmp, TilesBmpSize);
  return strip;
}

// The faces of the strip at a scale as RGBA rows, as the page's ImageData wants them.
std::vector<uint8_t> FacesRgba(TScale scale) {
  const TStripImage image = ScaledStrip(Strip(), scale);
  std::vector<uint8_t> rgba(static_cast<size_t>(image.Width) * image.Height * 4);
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x) {
      const TColor c = image.Palette[image.At(x, y)];
      uint8_t *p = &rgba[(static_cast<size_t>(y) * image.Width + x) * 4];
      p[0] = c & 0xFF;
      p[1] = c >> 8 & 0xFF;
      p[2] = c >> 16 & 0xFF;
      p[3] = 0xFF;
    }
  return rgba;
}

// The whole multiple a screen of devicePixelRatio ratio/100 draws at.
int ScaleForRatio(int ratioPercent) {
  return ScaleForDpi(96 * ratioPercent / 100);
}

}  // namespace

// A buffer the page writes text into before it hands it over.
EXPORT("TextBuffer") char *TextBuffer() {
  return textBuffer;
}
EXPORT("TextBufferSize") int TextBufferSize() {
  return sizeof textBuffer;
}

// The nine faces at a scale the page draws at, side by side, as RGBA; FacesWidth and
// FacesHeight give their size. Valid until the next call, as the page copies them. Null for
// a scale no puzzle draws at.
namespace {
bool DrawnScale(int mul, int div) {
  return (div == 1 && mul >= 1 && mul <= 64) || (mul == 1 && div >= 1 && div <= 3);
}
}  // namespace
EXPORT("Faces") const uint8_t *Faces(int mul, int div) {
  static std::vector<uint8_t> rgba;
  if (!DrawnScale(mul, div))
    return nullptr;
  rgba = FacesRgba({mul, div});
  return rgba.data();
}
EXPORT("FacesWidth") int FacesWidth(int mul, int div) {
  return DrawnScale(mul, div) ? 9 * TScale{mul, div}.Px(FaceWidth) : 0;
}
EXPORT("FacesHeight") int FacesHeight(int mul, int div) {
  return DrawnScale(mul, div) ? TScale{mul, div}.Px(FaceHeight) : 0;
}

// The seed of a run without one: the milliseconds since midnight UTC, as the saver takes it.
EXPORT("ClockSeed") uint32_t ClockSeed(int hour, int minute, int second, int milliseconds) {
  return MillisecondsOfDay(static_cast<uint32_t>(hour), static_cast<uint32_t>(minute),
                           static_cast<uint32_t>(second), static_cast<uint32_t>(milliseconds));
}

// The settings the address can carry, from the one table: names, labels, what each accepts.
EXPORT("SettingCount") int SettingCount() {
  return static_cast<int>(AddressRows().size());
}
EXPORT("SettingName") const char *SettingName(int i) {
  return AddressRow(i) ? AddressRow(i)->UrlName : "";
}
EXPORT("SettingLabel") const char *SettingLabel(int i) {
  return AddressRow(i) ? AddressRow(i)->Label : "";
}
EXPORT("SettingIsFlag") int SettingIsFlag(int i) {
  return AddressRow(i) && AddressRow(i)->Unit == TSettingUnit::Flag;
}
EXPORT("SettingRange") const char *SettingRange(int i) {
  return Out(AddressRow(i) ? SettingTextRange(*AddressRow(i)) : std::string());
}
EXPORT("SettingDefault") const char *SettingDefault(int i) {
  const TSettingRow *row = AddressRow(i);
  return Out(row ? ValueText(*row, row->Default) : std::string());
}
EXPORT("SettingValue") const char *SettingValue(int i) {
  const TSettingRow *row = AddressRow(i);
  return Out(row ? ValueText(*row, row->Get(settings)) : std::string());
}
// Takes the text (in the text buffer) for setting i. 0: taken; 1: not in the setting's
// range (or no text), which leaves the default.
EXPORT("SettingSet") int SettingSet(int i, const char *text) {
  const TSettingRow *row = AddressRow(i);
  return row && text && ReadSettingText(*row, text, settings) ? 0 : 1;
}
EXPORT("SettingsHaveSeed") int SettingsHaveSeed() {
  return settings.Seed != SaverSettings::NoSeed;
}
EXPORT("SettingsSeed") uint32_t SettingsSeed() {
  return static_cast<uint32_t>(settings.Seed);
}

// Watch mode: the saver's drill on a canvas of width x height device pixels.
// The scale is the screen's whole multiple, or a smaller one at which the puzzle fits.
EXPORT("WatchStart") void WatchStart(uint32_t seed, int width, int height, int ratioPercent) {
  watch.Most = ScaleForRatio(ratioPercent);
  const TScale scale =
      FitScale(watch.Most, width, height, settings.ShowCounts, settings.ShowSplits);
  watch.Puzzle = std::make_unique<TPuzzle>(RulesFromSettings(settings, false), TRandom{seed},
                                           std::vector<TBox>{{0, 0, width, height}}, scale,
                                           settings.ShowCounts, settings.ShowSplits);
}

// A new canvas size or pixel ratio, for the questions from the next one on. The page resizes
// its canvas (which clears it) just before that question.
EXPORT("WatchResize") void WatchResize(int width, int height, int ratioPercent) {
  if (!watch.Puzzle)
    return;
  watch.Most = ScaleForRatio(ratioPercent);
  watch.Puzzle->SetAreas({{0, 0, width, height}});
  watch.Puzzle->SetScale(
      FitScale(watch.Most, width, height, settings.ShowCounts, settings.ShowSplits));
}

// 0: a question is next; 1: its answer.
EXPORT("WatchPhase") int WatchPhase() {
  return watch.Puzzle ? watch.Puzzle->Phase() : 0;
}

// Draws the next step and returns the milliseconds until the one after.
EXPORT("WatchStep") int32_t WatchStep() {
  if (!watch.Puzzle)
    return 0;
  watch.Puzzle->Step(canvas);
  const SaverSettings defaults;
  return watch.Puzzle->Phase() == 1 ? IntervalOrDefault(settings.SleepTime, defaults.SleepTime)
                                    : IntervalOrDefault(settings.SleepTime2, defaults.SleepTime2);
}

// Practice mode: one hand at a time, drawn alone, its waits asked of the user.
EXPORT("PracticeStart") void PracticeStart(uint32_t seed) {
  practiceRandom = TRandom{seed};
}
EXPORT("PracticeNext") void PracticeNext() {
  // Drawn at the canvas's corner: the place is not used.
  MakeProblem(practice, RulesFromSettings(settings, false), practiceRandom);
}
// Flag r of the waits (r = 0: none) as bit r.
EXPORT("PracticeWaits") int PracticeWaits() {
  int bits = 0;
  for (int r = 0; r <= 9; ++r)
    bits |= practice.Waits[r] ? 1 << r : 0;
  return bits;
}
EXPORT("PracticeTilesLeft") int PracticeTilesLeft(int rank) {
  return rank >= 1 && rank <= 9 ? TilesLeft(practice.Counts, rank) : 0;
}
EXPORT("PracticeHand") int PracticeHand(int position) {
  return position >= 1 && position <= HandSize ? practice.Hand[position] : 0;
}
// The scale of the practice tiles: the screen's whole multiple, or a smaller one at which
// the hand fits width device pixels (a puzzle is as wide as a hand). The page scrolls, so
// the height is no limit.
EXPORT("PracticeFit") void PracticeFit(int width, int ratioPercent) {
  constexpr int kAnyHeight = 1 << 20;
  practiceFrame =
      MakeTileFrame(FitScale(ScaleForRatio(ratioPercent), width, kAnyHeight, TileBoxHeight));
  // The splits as the drill draws them: at most half the tiles' size, a third where the
  // tiles are reduced already.
  TScale rows;
  splitFrame = MakeTileFrame(SplitScale(practiceFrame.Scale, rows) ? rows : TScale{1, 3});
}
EXPORT("PracticeDrawHand") void PracticeDrawHand() {
  for (int i = 1; i <= HandSize; ++i)
    DrawPuzzleTile(canvas, practiceFrame, practice.Hand[i],
                   practiceFrame.Scale.Px((i - 1) * TileStep), 0);
}
// One tile alone at the canvas's corner, for the rank picker.
EXPORT("DrawTile") void DrawTile(int rank) {
  if (rank >= 1 && rank <= 9)
    DrawPuzzleTile(canvas, practiceFrame, rank, 0, 0);
}
// The pixels a row of count practice tiles covers.
EXPORT("TileRowWidth") int TileRowWidth(int count) {
  return practiceFrame.Scale.Px((count - 1) * TileStep) + practiceFrame.Width;
}
EXPORT("TileRowHeight") int TileRowHeight() {
  return practiceFrame.Height;
}

// Each wait's split, a row for each under a checked answer, with room around for the added
// tile's yellow frame. The widest row is seven pairs.
namespace {
int SplitMargin() {
  return splitFrame.Scale.Px(MarkOutside) + 1;
}
}  // namespace
EXPORT("PracticeSplitsWidth") int PracticeSplitsWidth() {
  const TScale s = splitFrame.Scale;
  return 2 * SplitMargin() + s.Px(HandSize * TileStep + 6 * SplitGroupGap) + splitFrame.Width;
}
EXPORT("PracticeSplitsHeight") int PracticeSplitsHeight() {
  int rows = 0;
  for (int r = 1; r <= 9; ++r)
    rows += practice.Waits[r] ? 1 : 0;
  return rows ? 2 * SplitMargin() + splitFrame.Scale.Px((rows - 1) * SplitRowStep) + splitFrame.Height
              : 0;
}
EXPORT("PracticeDrawSplits") void PracticeDrawSplits() {
  DrawSplitRows(canvas, splitFrame, practice, SplitMargin(), SplitMargin());
}
// The split of the hand with the wait rank, as text for a screen reader: "11 234 555 789 999".
EXPORT("PracticeSplitText") const char *PracticeSplitText(int rank) {
  if (rank < 1 || rank > 9 || !practice.Waits[rank])
    return "";
  TTileCounts completed = practice.Counts;
  ++completed[rank];
  return Out(SplitText(completed));
}
