#include "PagedText.h"

namespace omf51 {

PagedText::PagedText(int firstPageLines, int laterPageLines, HeaderLines header)
    : FirstPageLines(firstPageLines), LaterPageLines(laterPageLines), Header(std::move(header)) {}

void PagedText::Line(const std::string& text) {
  const int limit = Page <= 1 ? FirstPageLines : LaterPageLines;
  if (BreakPending || LinesOnPage >= limit) StartPage();
  Put(text);
}

void PagedText::Blank(int count) {
  for (int i = 0; i < count; ++i)
    Line("");
}

void PagedText::StartPage() {
  BreakPending = false;
  ++Page;
  LinesOnPage = 0;
  bool first = true;
  for (const std::string& line : Header(Page)) {
    Put(first && Page > 1 ? "\f" + line : line);
    first = false;
  }
}

void PagedText::Put(const std::string& text) {
  Out += text;
  Out += "\r\n";
  ++LinesOnPage;
}

} // namespace omf51
