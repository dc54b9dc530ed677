#include "PngPixels.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// A small bounds-checked inflate (RFC 1951); enough for the renderer's output.
class BitReader {
 public:
  BitReader(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

  int Bits(int need) {
    std::uint32_t value = buffer;
    while (count < need) {
      if (pos >= size) {
        failed = true;
        return 0;
      }
      value |= std::uint32_t(data[pos++]) << count;
      count += 8;
    }
    buffer = value >> need;
    count -= need;
    return static_cast<int>(value & ((1u << need) - 1));
  }

  void AlignToByte() {
    buffer = 0;
    count = 0;
  }

  bool Stored(std::vector<std::uint8_t>& out, std::size_t limit) {
    AlignToByte();
    if (size - pos < 4) return false;
    const std::size_t length = data[pos] | (data[pos + 1] << 8);
    const std::size_t check = data[pos + 2] | (data[pos + 3] << 8);
    pos += 4;
    if (length != (~check & 0xFFFF) || size - pos < length || out.size() + length > limit) return false;
    out.insert(out.end(), data + pos, data + pos + length);
    pos += length;
    return true;
  }

  bool failed = false;

 private:
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos = 0;
  std::uint32_t buffer = 0;
  int count = 0;
};

struct Huffman {
  std::array<int, 16> count{};
  std::vector<int> symbol;
};

// Canonical code from code lengths; false for an over-subscribed set.
bool Build(Huffman& h, const int* lengths, int n) {
  h.count.fill(0);
  for (int i = 0; i < n; ++i) h.count[lengths[i]]++;
  int left = 1;
  for (int len = 1; len < 16; ++len) {
    left = left * 2 - h.count[len];
    if (left < 0) return false;
  }
  std::array<int, 16> offset{};
  for (int len = 1; len < 15; ++len) offset[len + 1] = offset[len] + h.count[len];
  h.symbol.assign(static_cast<std::size_t>(n), 0);
  for (int i = 0; i < n; ++i) {
    if (lengths[i] != 0) h.symbol[static_cast<std::size_t>(offset[lengths[i]]++)] = i;
  }
  return true;
}

int Decode(BitReader& in, const Huffman& h) {
  int code = 0, first = 0, index = 0;
  for (int len = 1; len < 16; ++len) {
    code |= in.Bits(1);
    if (in.failed) return -1;
    const int count = h.count[len];
    if (code - count < first) return h.symbol[static_cast<std::size_t>(index + (code - first))];
    index += count;
    first = (first + count) << 1;
    code <<= 1;
  }
  return -1;
}

constexpr int kLengthBase[29] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistBase[30] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129,
                               193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097,
                               6145, 8193, 12289, 16385, 24577};
constexpr int kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

bool Codes(BitReader& in, const Huffman& lengths, const Huffman& dists, std::vector<std::uint8_t>& out,
           std::size_t limit) {
  for (;;) {
    int symbol = Decode(in, lengths);
    if (symbol < 0) return false;
    if (symbol < 256) {
      if (out.size() >= limit) return false;
      out.push_back(static_cast<std::uint8_t>(symbol));
    } else if (symbol == 256) {
      return true;
    } else {
      symbol -= 257;
      if (symbol >= 29) return false;
      const std::size_t length = static_cast<std::size_t>(kLengthBase[symbol] + in.Bits(kLengthExtra[symbol]));
      const int d = Decode(in, dists);
      if (d < 0 || d >= 30) return false;
      const std::size_t distance = static_cast<std::size_t>(kDistBase[d] + in.Bits(kDistExtra[d]));
      if (in.failed || distance > out.size() || out.size() + length > limit) return false;
      for (std::size_t i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
    }
  }
}

bool Inflate(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out, std::size_t limit) {
  BitReader in(data, size);
  int last = 0;
  do {
    last = in.Bits(1);
    const int type = in.Bits(2);
    if (in.failed) return false;
    if (type == 0) {
      if (!in.Stored(out, limit)) return false;
    } else if (type == 1) {
      int lengths[288 + 30];
      for (int i = 0; i < 144; ++i) lengths[i] = 8;
      for (int i = 144; i < 256; ++i) lengths[i] = 9;
      for (int i = 256; i < 280; ++i) lengths[i] = 7;
      for (int i = 280; i < 288; ++i) lengths[i] = 8;
      for (int i = 288; i < 318; ++i) lengths[i] = 5;
      Huffman lit, dist;
      Build(lit, lengths, 288);
      Build(dist, lengths + 288, 30);
      if (!Codes(in, lit, dist, out, limit)) return false;
    } else if (type == 2) {
      static constexpr int kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
      const int nlen = in.Bits(5) + 257;
      const int ndist = in.Bits(5) + 1;
      const int ncode = in.Bits(4) + 4;
      if (in.failed || nlen > 286 || ndist > 30) return false;
      int lengths[320] = {};
      for (int i = 0; i < ncode; ++i) lengths[kOrder[i]] = in.Bits(3);
      Huffman code;
      if (!Build(code, lengths, 19)) return false;
      int index = 0;
      while (index < nlen + ndist) {
        const int symbol = Decode(in, code);
        if (symbol < 0) return false;
        if (symbol < 16) {
          lengths[index++] = symbol;
          continue;
        }
        int repeat = 0, value = 0;
        if (symbol == 16) {
          if (index == 0) return false;
          value = lengths[index - 1];
          repeat = 3 + in.Bits(2);
        } else if (symbol == 17) {
          repeat = 3 + in.Bits(3);
        } else {
          repeat = 11 + in.Bits(7);
        }
        if (in.failed || index + repeat > nlen + ndist) return false;
        while (repeat-- > 0) lengths[index++] = value;
      }
      Huffman lit, dist;
      if (!Build(lit, lengths, nlen) || !Build(dist, lengths + nlen, ndist)) return false;
      if (!Codes(in, lit, dist, out, limit)) return false;
    } else {
      return false;
    }
  } while (last == 0);
  return true;
}

std::uint32_t BigEndian(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

}  // namespace

bool ReadPng(const std::string& path, PngPixels& out) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (data.size() < 8 || !std::equal(kSignature, kSignature + 8, data.begin())) return false;

  std::uint32_t width = 0, height = 0;
  std::vector<std::uint8_t> compressed;
  std::size_t pos = 8;
  bool ended = false;
  while (!ended) {
    if (data.size() - pos < 12) return false;
    const std::uint32_t length = BigEndian(&data[pos]);
    const std::string type(data.begin() + static_cast<std::ptrdiff_t>(pos + 4),
                           data.begin() + static_cast<std::ptrdiff_t>(pos + 8));
    if (length > data.size() - pos - 12) return false;
    const std::uint8_t* body = &data[pos + 8];
    if (type == "IHDR") {
      // 8-bit depth, colour type 6 (RGBA), no interlace.
      if (length != 13 || body[8] != 8 || body[9] != 6 || body[12] != 0) return false;
      width = BigEndian(body);
      height = BigEndian(body + 4);
      if (width == 0 || height == 0 || width > 4096 || height > 4096) return false;
    } else if (type == "IDAT") {
      compressed.insert(compressed.end(), body, body + length);
    } else if (type == "IEND") {
      ended = true;
    }
    pos += 12 + length;
  }
  // zlib wrapper: method 8, no preset dictionary; the checksum is not needed.
  if (width == 0 || compressed.size() < 6 || (compressed[0] & 0x0F) != 8 || (compressed[1] & 0x20) != 0) {
    return false;
  }
  const std::size_t stride = std::size_t(width) * 4;
  const std::size_t expected = (stride + 1) * height;
  std::vector<std::uint8_t> raw;
  raw.reserve(expected);
  if (!Inflate(compressed.data() + 2, compressed.size() - 2, raw, expected) || raw.size() != expected) {
    return false;
  }

  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.rgba.assign(stride * height, 0);
  for (std::size_t y = 0; y < height; ++y) {
    const std::uint8_t filter = raw[y * (stride + 1)];
    const std::uint8_t* line = &raw[y * (stride + 1) + 1];
    std::uint8_t* row = &out.rgba[y * stride];
    const std::uint8_t* up = y > 0 ? row - stride : nullptr;
    for (std::size_t i = 0; i < stride; ++i) {
      const int a = i >= 4 ? row[i - 4] : 0;
      const int b = up ? up[i] : 0;
      const int c = (up && i >= 4) ? up[i - 4] : 0;
      int predicted = 0;
      switch (filter) {
        case 0: predicted = 0; break;
        case 1: predicted = a; break;
        case 2: predicted = b; break;
        case 3: predicted = (a + b) / 2; break;
        case 4: predicted = Paeth(a, b, c); break;
        default: return false;
      }
      row[i] = static_cast<std::uint8_t>(line[i] + predicted);
    }
  }
  return true;
}
