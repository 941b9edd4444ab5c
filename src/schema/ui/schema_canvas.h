// The schema page of the editor window: the canvas `picDisplay` with its mouse, key, drag and
// scroll handlers, the palette's drag sources, the print picture, and SaveSchema.
//
// InstallaSchemaRete() installs the schema into the editor window (through ISchemaRete) and the
// editor side the schema needs (IEditorSchema); the program calls it once at start-up.
#pragma once

#include <functional>

#include <QImage>
#include <QLabel>
#include <QObject>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/ui/gasgrid.h"
#include "schema/disegno.h"
#include "schema/ui/superficie_qt.h"

namespace varnex::ui {

// The schema drawn on the picture "picPrint" (white, 11000 x 8000 twips, larger for a network that
// needs more) and saved as a bitmap file; an existing file is replaced. Returns the size at which
// the picture shows its labels at their size, as multiples of the standard picture's width and
// height (1 x 1 for a network the standard picture holds). Throws std::runtime_error when the
// file cannot be written.
QSizeF SaveSchema(const std::string& nameFile);

// The image SaveSchema would save (for callers that want the picture without a file); the size
// SaveSchema returns in `misuraRelativa` when given. With a `risoluzione` above 1 the picture has
// that many pixels for each of its own size (fewer for a picture too large), to print sharp.
// `blocchi`: where the label blocks lie on the picture, in fractions of its width and height.
QImage ImmagineSchema(QSizeF* misuraRelativa = nullptr, double risoluzione = 1, std::vector<QRectF>* blocchi = nullptr);
// The pieces of a picture: from the picture's size (as ImmagineSchema's `misuraRelativa`) and its
// label blocks (fractions of it), the pieces as fractions of the picture.
using DivisionePezziSchema = std::function<std::vector<QRectF>(
    const QSizeF& misuraRelativa, const std::vector<QRectF>& blocchi, const MisuraEtichette& etichette)>;
// The picture of ImmagineSchema cut into the pieces `dividi` lays out (the whole picture without
// it). A piece of several holds only the labels that lie whole on it, each with its leader: a
// label its edge would cut is left out there, to be whole on another piece.
std::vector<QImage> PezziImmagineSchema(QSizeF* misuraRelativa, double risoluzione, std::vector<QRectF>* blocchi,
                                        const DivisionePezziSchema& dividi);
// Saves a picture of the schema as a bitmap file the way SaveSchema does.
void SalvaImmagineSchema(QImage immagine, const std::string& nameFile);

// The schema page's behaviour: the canvas handlers and the editor side of the schema.
class CanvasSchema final : public QObject, public ISchemaRete, public IEditorSchema {
 public:
  CanvasSchema();
  ~CanvasSchema() override;

  // ISchemaRete: the screen drawing on the canvas.
  void DrawSchema(QWidget& picDisplay, int16_t modo, const std::string& font, int16_t dimensione) override;
  // The segment selected by a click on the canvas, for the editor's delete command and the main
  // window's segment-parameters button.
  int16_t GetSelectedTronco() const override;
  // The canvas and the palette of a closing editor are no longer watched nor drawn on.
  void SganciaEditor(QWidget& finestra) override;

  // IEditorSchema
  int16_t ScaleFactor() override;
  void Elaborazione() override;
  void ApriDialogoTronco(int16_t seg) override;
  EsitoPortata DialogoPortata(bool cucina, int16_t seg, float portata) override;
  void DeleteTronco(int16_t seg) override;
  void RidisegnaCanvas() override;
  int32_t LarghezzaSchermo() override;
  int32_t AltezzaSchermo() override;

  // ---- Canvas handlers (positions in canvas units) ----
  void picDisplay_MouseMove(double x, double y);
  void picDisplay_MouseDown(Qt::MouseButton bottone);
  void picDisplay_MouseUp(Qt::MouseButton bottone);
  void picDisplay_Click();
  void picDisplay_DblClick();
  // state: 0 enter, 1 leave, 2 over.
  void picDisplay_DragOver(const std::string& tag, double x, double y, int16_t stato);
  void picDisplay_DragDrop(const std::string& tag, double x, double y);
  void picDisplay_KeyDown(int keyCode);

  int32_t PuntatoreX = 0, PuntatoreY = 0;
  int16_t EstremoSottoPuntatore = 0;
  int16_t EstremoTrascinato = 0;
  std::string DirezioneEstremo;
  // Last pointer shape set (0 default, 5 four arrows, 6..9 two-way sizes, 12 no-drop).
  int16_t Puntatore = 0;

  // The canvas's picture as last drawn.
  const QImage& Immagine() const { return immagine_; }
  // Ends the painting on the canvas picture (the application is going away).
  void ChiudiSuperficie();
  // Canvas units to widget pixels and back.
  QPointF InUnita(const QPointF& pixel) const;

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  void Aggancia(GasGrid& g);
  void ImpostaPuntatore(int16_t forma);
  QRectF Finestra() const;
  void Aggiorna();
  // Widens the scroll bars' range where the drawing reaches beyond it.
  void AdattaBarre();

  QPointer<QWidget> picDisplay_;
  QPointer<GasGrid> gasGrid_;
  QImage immagine_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<SuperficieQt> superficie_;
  QPointF inizioTrascinamento_;
  // Where the handle was pressed, in canvas units, and whether the pointer has since gone far
  // enough from there for the press to be a drag rather than a click.
  QPointF pressioneEstremo_;
  bool estremoInMovimento_ = false;
  QLabel* sorgentePremuta_ = nullptr;
};

// Installs the schema into the editor window (idempotent) and returns it.
CanvasSchema& InstallaSchemaRete();
// The installed schema page, null before InstallaSchemaRete.
CanvasSchema* SchemaInstallato();

}  // namespace varnex::ui
