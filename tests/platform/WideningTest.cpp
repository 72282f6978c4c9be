// Collected diagnostics are widened from UTF-8 to wchar_t for the message box: UTF-16 with
// surrogate pairs where wchar_t has 16 bits (Windows), UTF-32 elsewhere. A malformed sequence
// becomes U+FFFD and decoding goes on with the next byte.
#include <string>
#include <vector>

#include "TestSupport.h"
#include "ZYNINSFlat.h"
#include "ZYNMessageBox.h"

namespace {

std::vector<std::wstring> shown;
void ZYNTOC_CALL Record(const wchar_t *text) { shown.push_back(text); }

std::wstring Widened(const std::string &utf8) {
  shown.clear();
  ZYNMessageBoxHandler previous = ZYNSetMessageBoxHandler(Record);
  ZYNShowMessageBox(utf8.c_str());
  ZYNSetMessageBoxHandler(previous);
  return shown.size() == 1 ? shown[0] : L"<not shown once>";
}

struct WideningCase {
  const char *title;
  const char *utf8;
  const wchar_t *wide;
};

void PrintTo(const WideningCase &c, std::ostream *out) { *out << c.title; }

class WideningTest : public TocTest, public ::testing::WithParamInterface<WideningCase> {};

}  // namespace

TEST_P(WideningTest, GivesTheExpectedCharacters) {
  EXPECT_EQ(Widened(GetParam().utf8), GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(
    Utf8, WideningTest,
    ::testing::Values(
        WideningCase{"ascii_and_latin", "caf\xC3\xA9 \xE2\x82\xAC", L"caf\u00E9 \u20AC"},
        // Beyond the Basic Multilingual Plane: two wchar_t on Windows, one elsewhere.
        WideningCase{"beyond_the_bmp", "\xF0\x9F\x98\x80|\xF4\x8F\xBF\xBF", L"\U0001F600|\U0010FFFF"},
        WideningCase{"stray_bytes", "a\x80" "b\xFF", L"a\uFFFDb\uFFFD"},
        WideningCase{"cut_at_the_end", "ok\xE2\x82", L"ok\uFFFD\uFFFD"},
        WideningCase{"cut_by_an_ascii_byte", "\xE2" "A", L"\uFFFDA"},
        WideningCase{"overlong", "\xC0\xAF", L"\uFFFD\uFFFD"},
        WideningCase{"encoded_surrogate", "\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},
        WideningCase{"beyond_unicode", "\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
        WideningCase{"empty", "", L""}),
    [](const ::testing::TestParamInfo<WideningCase> &info) { return std::string(info.param.title); });
