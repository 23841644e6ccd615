// The strip's file: the committed copy, the tool that writes it, and the fields a Windows loader
// reads.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bitmap_reader.h"
#include "icon_image.h"
#include "tile_strip.h"

namespace {

using strip_test::I32At;
using strip_test::ReadFile;
using strip_test::U16At;
using strip_test::U32At;

const std::string kSourceDir = VELKORIN_SOURCE_DIR;
const std::string kTool = VELKORIN_MKSTRIP;

std::vector<uint8_t> Committed(const std::string &name) {
  return ReadFile(kSourceDir + "/resources/" + name);
}

int RunTool(const std::string &arguments) {
  const std::string command = "'" + kTool + "' " + arguments + " 2>/dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(StripResources, CommittedFilesAreWhatTheGeneratorMakes) {
  EXPECT_TRUE(Committed("tiles.bmp") == velkorin_strip::TileStripBmp())
      << "resources/tiles.bmp is stale: regenerate it with velkorin-mkstrip";
  EXPECT_TRUE(Committed("velkorin.ico") == velkorin_strip::ProgramIconIco())
      << "resources/velkorin.ico is stale: regenerate it with velkorin-mkstrip";
}

TEST(StripTool, WritesTheCommittedFiles) {
  const std::string bmp = ::testing::TempDir() + "strip_tool_tiles.bmp";
  const std::string ico = ::testing::TempDir() + "strip_tool_icon.ico";
  std::remove(bmp.c_str());
  std::remove(ico.c_str());
  ASSERT_EQ(0, RunTool("'" + bmp + "' '" + ico + "'"));
  EXPECT_TRUE(ReadFile(bmp) == Committed("tiles.bmp"));
  EXPECT_TRUE(ReadFile(ico) == Committed("velkorin.ico"));

  // The icon is optional; without it only the strip is written.
  std::remove(bmp.c_str());
  std::remove(ico.c_str());
  ASSERT_EQ(0, RunTool("'" + bmp + "'"));
  EXPECT_TRUE(ReadFile(bmp) == Committed("tiles.bmp"));
  EXPECT_THROW(ReadFile(ico), std::runtime_error);
  std::remove(bmp.c_str());
}

TEST(StripTool, FailsOnBadUse) {
  EXPECT_EQ(2, RunTool(""));
  EXPECT_EQ(2, RunTool("a.bmp b.ico c"));
  EXPECT_EQ(1, RunTool("'" + ::testing::TempDir() + "no-such-dir/tiles.bmp'"));
}

TEST(StripBitmap, HeaderFields) {
  const std::vector<uint8_t> b = velkorin_strip::TileStripBmp();
  ASSERT_EQ(7030u, b.size());
  // File header.
  EXPECT_EQ('B', b[0]);
  EXPECT_EQ('M', b[1]);
  EXPECT_EQ(7030u, U32At(b, 2));
  EXPECT_EQ(0u, U16At(b, 6));
  EXPECT_EQ(0u, U16At(b, 8));
  EXPECT_EQ(118u, U32At(b, 10));
  // Info header.
  EXPECT_EQ(40u, U32At(b, 14));
  EXPECT_EQ(288, I32At(b, 18));
  EXPECT_EQ(48, I32At(b, 22)) << "a positive height means bottom-up rows";
  EXPECT_EQ(1u, U16At(b, 26));
  EXPECT_EQ(4u, U16At(b, 28));
  EXPECT_EQ(0u, U32At(b, 30));
  EXPECT_EQ(6912u, U32At(b, 34));
  EXPECT_EQ(3779, I32At(b, 38));
  EXPECT_EQ(3779, I32At(b, 42));
  EXPECT_EQ(16u, U32At(b, 46));
  EXPECT_EQ(0u, U32At(b, 50));
  // Colour table, then the pixels directly after it.
  EXPECT_EQ(b.size(), U32At(b, 10) + U32At(b, 34));
}

// The 16 colours as red, green, blue.
constexpr uint8_t kPalette[16][3] = {
    {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0}, {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},     {0, 255, 0}, {0, 255, 255},
    {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
};

// Entries are stored blue, green, red, reserved.
void ExpectPalette(const std::vector<uint8_t> &b, size_t at) {
  for (int i = 0; i < 16; ++i) {
    const size_t e = at + static_cast<size_t>(i) * 4;
    EXPECT_EQ(kPalette[i][2], b.at(e)) << "blue of colour " << i;
    EXPECT_EQ(kPalette[i][1], b.at(e + 1)) << "green of colour " << i;
    EXPECT_EQ(kPalette[i][0], b.at(e + 2)) << "red of colour " << i;
    EXPECT_EQ(0, b.at(e + 3)) << "reserved byte of colour " << i;
  }
}

TEST(StripBitmap, ColourTable) {
  ExpectPalette(velkorin_strip::TileStripBmp(), 54);
}

TEST(StripBitmap, RowsAreBottomUpWithTheLeftPixelInTheHighNibble) {
  // Build a picture with a known asymmetric pattern and check where its pixels land.
  velkorin_strip::IndexedImage image(3, 2, velkorin_strip::kWhite);
  image.Set(0, 0, velkorin_strip::kRed);    // top left
  image.Set(1, 0, velkorin_strip::kGreen);  // top, second
  image.Set(2, 1, velkorin_strip::kNavy);   // bottom right
  const std::vector<uint8_t> b = velkorin_strip::EncodeBmp(image);
  ASSERT_EQ(118u + 2u * 4u, b.size()) << "3 pixels take 2 bytes, padded to 4";
  // The bottom row comes first.
  EXPECT_EQ(0xFF, b[118]);
  EXPECT_EQ(0x10, b[119]);
  EXPECT_EQ(0, b[120]);
  EXPECT_EQ(0, b[121]);
  // Then the top row.
  EXPECT_EQ(0xC2, b[122]);
  EXPECT_EQ(0xF0, b[123]);
}

TEST(ProgramIcon, HeaderFields) {
  const std::vector<uint8_t> b = velkorin_strip::ProgramIconIco();
  const uint32_t xor_bytes = 32 * 16, and_bytes = 32 * 4;
  const uint32_t resource = 40 + 16 * 4 + xor_bytes + and_bytes;
  ASSERT_EQ(6u + 16u + resource, b.size());
  // Icon directory with one entry.
  EXPECT_EQ(0u, U16At(b, 0));
  EXPECT_EQ(1u, U16At(b, 2));
  EXPECT_EQ(1u, U16At(b, 4));
  EXPECT_EQ(32, b[6]);
  EXPECT_EQ(32, b[7]);
  EXPECT_EQ(16, b[8]);
  EXPECT_EQ(0, b[9]);
  EXPECT_EQ(1u, U16At(b, 10));
  EXPECT_EQ(4u, U16At(b, 12));
  EXPECT_EQ(resource, U32At(b, 14));
  EXPECT_EQ(22u, U32At(b, 18));
  // The image's own header counts colour picture and mask together: twice the height.
  EXPECT_EQ(40u, U32At(b, 22));
  EXPECT_EQ(32, I32At(b, 26));
  EXPECT_EQ(64, I32At(b, 30));
  EXPECT_EQ(1u, U16At(b, 34));
  EXPECT_EQ(4u, U16At(b, 36));
  EXPECT_EQ(0u, U32At(b, 38));
  ExpectPalette(b, 62);
}

TEST(ProgramIcon, MaskLeavesTheTileOpaqueAndTheCornersClear) {
  const std::vector<uint8_t> b = velkorin_strip::ProgramIconIco();
  const size_t xor_at = 22 + 40 + 64;
  const size_t and_at = xor_at + 32 * 16;
  // The colour picture is the image's bitmap with the mask's half of the height left out.
  std::vector<uint8_t> image(b.begin() + 22, b.end());
  image[8] = 32;
  const TStripImage colour = DecodeStripDib(image.data(), image.size());
  auto clear = [&](int x, int y) {
    return (b.at(and_at + static_cast<size_t>(31 - y) * 4 + x / 8) >> (7 - x % 8) & 1) != 0;
  };
  EXPECT_TRUE(clear(0, 0));
  EXPECT_TRUE(clear(31, 0));
  EXPECT_TRUE(clear(0, 31));
  EXPECT_TRUE(clear(31, 31));
  EXPECT_FALSE(clear(16, 16));
  int opaque = 0;
  bool used[16] = {};
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (clear(x, y)) {
        EXPECT_EQ(0, colour.At(x, y)) << "clear pixels must be black, at " << x << "," << y;
      } else {
        ++opaque;
        used[colour.At(x, y)] = true;
      }
    }
  }
  EXPECT_GT(opaque, 32 * 32 / 2);
  EXPECT_TRUE(used[velkorin_strip::kWhite] && used[velkorin_strip::kGreen])
      << "a white tile with green bamboo";
}

}  // namespace
