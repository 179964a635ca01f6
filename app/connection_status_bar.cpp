#include "app/connection_status_bar.h"

#include <QHBoxLayout>
#include <QMouseEvent>

namespace quarvel {

namespace {

constexpr int kIndicatorSize = 14;

QLabel* NewIndicator(const QString& tip) {
  auto* indicator = new QLabel;
  indicator->setFixedSize(kIndicatorSize, kIndicatorSize);
  indicator->setToolTip(tip);
  return indicator;
}

}  // namespace

StatusText::StatusText(QWidget* parent) : QLabel(parent) {
  // Ignored: a long text must not widen the window; it is elided and shown whole on a click.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  setCursor(Qt::PointingHandCursor);
}

void StatusText::SetFullText(const QString& text) {
  full_text_ = text;
  setToolTip(text);
  Elide();
}

void StatusText::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
  QLabel::mouseReleaseEvent(event);
}

void StatusText::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Elide();
}

void StatusText::Elide() { setText(fontMetrics().elidedText(full_text_, Qt::ElideRight, width())); }

ConnectionStatusBar::ConnectionStatusBar(Ui& ui, QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 0);
  catalogue_indicator_ = NewIndicator(tr("TecDoc"));
  store_indicator_ = NewIndicator(tr("PrestaShop"));
  catalogue_text_ = new StatusText;
  store_text_ = new StatusText;
  layout->addWidget(catalogue_indicator_);
  layout->addWidget(catalogue_text_, 1);
  layout->addSpacing(12);
  layout->addWidget(store_indicator_);
  layout->addWidget(store_text_, 1);
  Paint(catalogue_indicator_, false);
  Paint(store_indicator_, false);
  for (StatusText* text : {catalogue_text_, store_text_})
    connect(text, &StatusText::clicked, this, [&ui, text] {
      if (!text->FullText().isEmpty()) ui.Inform(text->FullText().toStdString());
    });
}

void ConnectionStatusBar::SetCatalogueConnected(bool connected) {
  catalogue_connected_ = connected;
  Paint(catalogue_indicator_, connected);
}

void ConnectionStatusBar::SetStoreConnected(bool connected) {
  store_connected_ = connected;
  Paint(store_indicator_, connected);
}

void ConnectionStatusBar::Paint(QLabel* indicator, bool connected) {
  indicator->setStyleSheet(QStringLiteral("background-color: %1; border-radius: %2px;")
                               .arg(connected ? "#1fa83a" : "#d02020")
                               .arg(kIndicatorSize / 2));
}

}  // namespace quarvel
