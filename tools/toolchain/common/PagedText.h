#pragma once

#include <functional>
#include <string>
#include <vector>

namespace omf51 {

// Text cut into pages of a fixed number of lines, each page opened by its
// header lines (a form feed before every header but the first). Lines end with
// CR LF.
class PagedText {
public:
  using HeaderLines = std::function<std::vector<std::string>(int page)>;

  PagedText(int firstPageLines, int laterPageLines, HeaderLines header);

  void Line(const std::string& text);
  void Blank(int count = 1);
  // The next line starts a new page.
  void NewPage() { BreakPending = true; }

  const std::string& Text() const { return Out; }

private:
  void StartPage();
  void Put(const std::string& text);

  int FirstPageLines;
  int LaterPageLines;
  HeaderLines Header;
  int Page = 0;
  int LinesOnPage = 0;
  bool BreakPending = true;
  std::string Out;
};

} // namespace omf51
