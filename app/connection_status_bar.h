#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

#include "core/ui.h"

namespace quarvel {

// A status text that may be longer than the room it has; a click shows it whole.
class StatusText : public QLabel {
  Q_OBJECT

 public:
  explicit StatusText(QWidget* parent = nullptr);
  void SetFullText(const QString& text);
  const QString& FullText() const { return full_text_; }

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Elide();
  QString full_text_;
};

// The bottom of the main window: an indicator (red or green) and a status text for the catalogue
// connection and for the store connection.
class ConnectionStatusBar : public QWidget {
  Q_OBJECT

 public:
  explicit ConnectionStatusBar(Ui& ui, QWidget* parent = nullptr);

  void SetCatalogueConnected(bool connected);
  void SetStoreConnected(bool connected);
  void SetCatalogueStatus(const QString& text) { catalogue_text_->SetFullText(text); }
  void SetStoreStatus(const QString& text) { store_text_->SetFullText(text); }

  bool CatalogueConnected() const { return catalogue_connected_; }
  bool StoreConnected() const { return store_connected_; }
  StatusText* CatalogueText() const { return catalogue_text_; }
  StatusText* StoreText() const { return store_text_; }

 private:
  static void Paint(QLabel* indicator, bool connected);

  QLabel* catalogue_indicator_ = nullptr;
  QLabel* store_indicator_ = nullptr;
  StatusText* catalogue_text_ = nullptr;
  StatusText* store_text_ = nullptr;
  bool catalogue_connected_ = false;
  bool store_connected_ = false;
};

}  // namespace quarvel
