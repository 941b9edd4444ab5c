// The schema preview "Preview" of the advanced print: the network drawn at the print scale, with
// zoom, scroll bars and the labels' font; its picture is what reaches the diagram page.
#pragma once

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <cstdint>
#include <string>

#include "shell/ui/services.h"

namespace varnex::ui {

class frmPrintSchemaPreview : public Dialogo {
  Q_OBJECT
 public:
  explicit frmPrintSchemaPreview(QWidget* parent = nullptr);

  void AzzeraRisposta() override { response.clear(); }

  // Redraws the preview from the zoom, the scroll bars and the labels' font.
  void pictureRepaint();
  void ShowFontType();

  void cmdZoomMinus_Click();
  void cmdZoomPlus_Click();
  void TextZoom_LostFocus();
  void cmdFont_Click();
  void cmdPrint_Click();
  void cmdCancel_Click();

  // The persistent image of picSchema, as last drawn.
  const QImage& Immagine() const { return immagine_; }
  const std::string& FontName() const { return previewFontName; }
  int16_t FontSize() const { return previewFontSize; }

  float zoom = 100;
  std::string response;

  QGroupBox* frameZoom = nullptr;
  QPushButton* cmdZoomMinus = nullptr;
  QLineEdit* TextZoom = nullptr;
  QPushButton* cmdZoomPlus = nullptr;
  QPushButton* cmdZoomApply = nullptr;
  QPushButton* cmdPrint = nullptr;
  QPushButton* cmdCancel = nullptr;
  QGroupBox* frmFontType = nullptr;
  QLineEdit* txtFontType = nullptr;
  QPushButton* cmdFont = nullptr;
  QLabel* picSchema = nullptr;
  QScrollBar* VpicScroll = nullptr;
  QScrollBar* HpicScroll = nullptr;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void Form_Load();
  std::string previewFontName;
  int16_t previewFontSize = 7;
  QImage immagine_;
};

}  // namespace varnex::ui
