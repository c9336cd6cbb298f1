// help_pages_asked.h: the help pages the program asks the desktop to show,
// caught before they reach a browser.
#pragma once

#include <QDesktopServices>
#include <QString>
#include <QTextBrowser>
#include <QUrl>

#include <string>

namespace cbst::testing {

// While alive, every local page the program opens lands here instead of in
// the desktop's browser.
class HelpPagesAsked {
 public:
  HelpPagesAsked() { QDesktopServices::setUrlHandler("file", &pages_, "setSource"); }
  ~HelpPagesAsked() { QDesktopServices::unsetUrlHandler("file"); }
  HelpPagesAsked(const HelpPagesAsked&) = delete;
  HelpPagesAsked& operator=(const HelpPagesAsked&) = delete;

  // The last page's file name and topic, as "cbsteng.html#ctx101"; empty
  // when none was asked for.
  std::string last() const {
    const QUrl page = pages_.source();
    if (page.isEmpty()) return {};
    QString told = page.fileName();
    if (page.hasFragment()) told += "#" + page.fragment();
    return told.toStdString();
  }
  void Forget() { pages_.clear(); }

 private:
  QTextBrowser pages_;  // setSource is the slot the desktop services call
};

}  // namespace cbst::testing
