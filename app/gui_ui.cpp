#include "app/gui_ui.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace quarvel {

namespace {

QString Title() { return QCoreApplication::applicationName(); }

}  // namespace

void GuiUi::Inform(const std::string& text) {
  QMessageBox::information(parent_, Title(), QString::fromStdString(text));
}

void GuiUi::Error(const std::string& text) {
  QMessageBox::critical(parent_, Title(), QString::fromStdString(text));
}

bool GuiUi::Ask(const std::string& question) {
  return QMessageBox::question(parent_, Title(), QString::fromStdString(question),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void GuiUi::Pump() {
  auto now = std::chrono::steady_clock::now();
  if (now - last_pump_ < kPumpInterval) return;
  last_pump_ = now;
  QCoreApplication::processEvents();
}

void GuiUi::OpenFile(const std::string& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void GuiUi::OpenUrl(const std::string& url) { QDesktopServices::openUrl(QUrl(QString::fromStdString(url))); }

}  // namespace quarvel
