// The schema preview "Preview" of the advanced print: the network drawn at the print scale, with
// zoom, scroll bars and the labels' font; the view it shows is what reaches the diagram page.
#pragma once

#include <functional>
#include <optional>

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRectF>
#include <QScrollBar>
#include <cstdint>
#include <string>

#include "schema/etichette.h"
#include "shell/ui/services.h"

namespace varnex::ui {

// The labels' type of a diagram printed from the preview never goes below the quick print's: a
// smaller font chosen in the preview is shown and printed at this size.
inline constexpr int16_t CorpoMinimoEtichetteSchema = 7;

// What the preview shows, and so what the diagram page prints: the drawing units its picture
// shows, the labels' font as it reaches the paper, and the schema's extents the drawing started
// from (a fitted layout reads them, and every drawing widens them).
struct VistaAnteprimaSchema {
  QRectF finestra;
  std::string fontName = "arial";
  int16_t fontSize = CorpoMinimoEtichetteSchema;
  int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
  // The labels' type drawn this many times its size (the preview's picture keeps the paper's type
  // in proportion to the drawing; the paper itself draws it at its size).
  double scalaCaratteri = 1;

  // Draws the schema as the preview lays it out, whatever part of it `vista` (drawing units)
  // puts on `dispositivo` (the painter's device pixels); returns what it marked, in units.
  // `blocchi`: where to leave the label blocks (units); `soloIntereIn`: a sheet of a view over
  // several leaves out the labels not wholly inside it (device pixels).
  QRectF Disegna(QPainter& painter, const QRectF& vista, const QRectF& dispositivo, const std::string& nome,
                 std::vector<QRectF>* blocchi = nullptr, std::optional<QRectF> soloIntereIn = std::nullopt) const;
};

class frmPrintSchemaPreview : public Dialogo {
  Q_OBJECT
 public:
  explicit frmPrintSchemaPreview(QWidget* parent = nullptr);

  void AzzeraRisposta() override { response.clear(); }

  // How the paper takes the view: how many sheets, and the page's twips for a unit of the drawing.
  struct CartaAnteprima {
    int fogli = 1;
    double twipPerUnita = 0;
  };
  // Set by the diagram page: the preview then draws its picture as the paper lays it out (the type
  // in the paper's proportion to the drawing) and says how many sheets it takes, whenever the view
  // changes.
  void ImpostaContaFogli(std::function<CartaAnteprima(const VistaAnteprimaSchema&)> conta);
  // How well the picture's labels tell their pipes, as last drawn.
  const MisuraEtichette& MisuraImmagine() const { return misuraImmagine_; }

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
  // The view of the last drawing.
  const VistaAnteprimaSchema& Vista() const { return vista_; }
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
  // What the paper takes for the view shown: "Stampa su 1 foglio", "Stampa su 3 fogli".
  QLabel* lblFogli = nullptr;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void Form_Load();
  std::string previewFontName;
  int16_t previewFontSize = 7;
  QImage immagine_;
  VistaAnteprimaSchema vista_;
  std::function<CartaAnteprima(const VistaAnteprimaSchema&)> contaFogli_;
  MisuraEtichette misuraImmagine_;
  void MostraFogli(int fogli);
};

}  // namespace varnex::ui
