// What the browser ring cannot judge in the page: reads a canvas's pixels (RGBA rows, as
// getImageData gives them) with the screen reader of the X11 ring, and compares the puzzle
// with the native one of the same seed and area.
//   web_check watch <rgba> <width> <height> <seed> <steps>   the picture after that many steps
//   web_check hand <rgba> <width> <height>                   prints the hand's waits, "0": none
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bitmap_reader.h"
#include "problem.h"
#include "puzzle.h"
#include "screen_reader.h"
#include "settings.h"

using namespace x11_test;

namespace {

struct TNoCanvas : TPuzzleCanvas {
  void Fill(const TBox &, TColor) override {}
  void DrawFace(int, int, int) override {}
  void WriteText(int, int, const char *, TTextSize) override {}
};

TImage ReadRgba(const char *path, int width, int height) {
  const std::vector<uint8_t> bytes = strip_test::ReadFile(path);
  if (bytes.size() != size_t(width) * height * 4)
    throw std::runtime_error("the pixels are not width x height x 4 bytes");
  TImage image;
  image.Width = width;
  image.Height = height;
  for (size_t i = 0; i < bytes.size(); i += 4)
    image.Rgb.push_back(uint32_t(bytes[i]) << 16 | uint32_t(bytes[i + 1]) << 8 | bytes[i + 2]);
  return image;
}

std::vector<int> WaitsOf(const std::vector<int> &hand) {
  TTileCounts counts = {};
  for (int rank : hand)
    ++counts[rank];
  TWaitSet waits = {};
  std::vector<int> ranks;
  if (FindWaits(counts, waits))
    for (int r = 1; r <= 9; ++r)
      if (waits[r])
        ranks.push_back(r);
  return ranks;
}

int Fail(const std::string &why, const TShownPuzzle &shown) {
  fprintf(stderr, "%s: %s\n", why.c_str(), Describe(shown).c_str());
  return 1;
}

}  // namespace

int main(int argc, char **argv) try {
  const std::string mode = argc > 4 ? argv[1] : "";
  if (!(mode == "hand" && argc == 5) && !(mode == "watch" && argc == 7)) {
    fprintf(stderr, "usage: web_check watch|hand <rgba> <width> <height> [<seed> <steps>]\n");
    return 2;
  }
  const int width = atoi(argv[3]), height = atoi(argv[4]);
  const TImage image = ReadRgba(argv[2], width, height);
  // A watch canvas too small for scale 1 gets a reduction, read face by face at that scale;
  // the practice hand is as wide as the page lets it be, which the ring keeps at scale 1.
  const TScale scale = mode == "watch" ? FitScale(1, width, height, PuzzleBoxHeight(false)) : TScale{};
  const TStripFaces faces(VELKORIN_SOURCE_DIR "/resources/tiles.bmp", scale);
  const TShownPuzzle shown = ReadPuzzle(image, faces);
  if (!shown.Fault.empty() || shown.Stray)
    return Fail("not a clean puzzle", shown);
  const std::vector<int> waits = WaitsOf(shown.Hand);
  if (mode == "hand") {
    for (int r : waits)
      printf("%d ", r);
    printf(waits.empty() ? "0\n" : "\n");
    return 0;
  }
  const int steps = atoi(argv[6]);
  TPuzzle native(RulesFromSettings(SaverSettings{}, false),
                 TRandom{uint32_t(strtoul(argv[5], nullptr, 10))}, {{0, 0, width, height}}, scale);
  TNoCanvas nothing;
  for (int k = 0; k < steps; ++k)
    native.Step(nothing);
  const Problem &p = native.Current();
  if (shown.X != native.Box().Left || shown.Y != native.Box().Top)
    return Fail("not at the native puzzle's place " + std::to_string(native.Box().Left) + "," +
                    std::to_string(native.Box().Top),
                shown);
  for (int i = 0; i < HandSize; ++i)
    if (shown.Hand[i] != p.Hand[i + 1])
      return Fail("not the native puzzle's hand", shown);
  const bool answer = steps % 2 == 0;
  if (shown.Answered != answer ||
      (answer && (shown.Waits != waits || shown.NoWaitShown != waits.empty())))
    return Fail(answer ? "the answer is not the waits of the hand shown" : "answered early", shown);
  printf("%s\n", Describe(shown).c_str());
  return 0;
} catch (const std::exception &e) {
  fprintf(stderr, "web_check: %s\n", e.what());
  return 2;
}
