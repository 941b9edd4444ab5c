// The report's printer object on a QPrinter: one QPainter per printer document, coordinates in
// twips in the report's user scale, text in the current font.
#pragma once

#include <QFont>
#include <QPainter>
#include <QColor>
#include <QPrinter>
#include <functional>
#include <memory>
#include <vector>

#include "report/print/stampante_report.h"

namespace varnex::ui {

class StampanteQt : public IStampanteReport {
 public:
  explicit StampanteQt(QPrinter& printer);
  ~StampanteQt() override;

  MarginiCarta Margini() override;
  int32_t Width() override;
  int32_t Height() override;
  void ImpostaScala(double scaleLeft, double scaleTop) override;
  double ScaleLeft() override { return scaleLeft_; }
  double ScaleTop() override { return scaleTop_; }
  double CurrentX() override { return x_; }
  double CurrentY() override { return y_; }
  void SetCurrentX(double x) override { x_ = x; }
  void SetCurrentY(double y) override { y_ = y; }
  std::string FontName() override;
  bool SetFontName(const std::string& nome) override;
  double FontSize() override;
  void SetFontSize(double punti) override;
  bool FontBold() override;
  void SetFontBold(bool grassetto) override;
  bool FontItalic() override;
  void SetFontItalic(bool corsivo) override;
  int32_t Page() override { return pagina_; }
  int16_t Orientation() override;
  bool SetOrientation(int16_t orientamento) override;
  std::string DeviceName() override;
  double TextWidth(const std::string& testo) override;
  double TextHeight(const std::string& testo) override;
  void Line(double x1, double y1, double x2, double y2) override;
  std::optional<std::pair<int32_t, int32_t>> DimensioniImmagine(const std::string& percorso) override;
  void PaintPicture(const std::string& percorso, double x, double y, double larghezza, double altezza) override;
  void Print(const std::string& testo, bool fineRiga) override;
  void SetForeColor(int32_t colore) override;
  void NewPage() override;
  void EndDoc() override;
  void EventiInSospeso() override;

  // Lets a drawing of its own (the network schema) paint on the current page: it gets the painter,
  // the whole page in the current coordinates (twips) and the device rectangle the page maps onto.
  void DisegnaSuPagina(const std::function<void(QPainter&, const QRectF&, const QRectF&)>& disegna);

  // True while a document is open (something was drawn since the last EndDoc).
  bool DocumentoAperto() const { return painter_ != nullptr; }
  QPrinter& Printer() { return printer_; }
  // Ends an open document without caring for its state (after a failed run).
  void Chiudi();
  // A new PDF target was chosen: its first document goes to the chosen file, the further ones of
  // the same command (the landscape diagram, later copies) beside it with "-2", "-3"...
  void NuovoLavoro();
  // The file of a command's document-th document when its first goes to `primo`: the first to it,
  // each further one beside it with "-2", "-3"...
  static QString FileDocumento(const QString& primo, int documento);
  // The PDF files written since the target was chosen, in order.
  const std::vector<QString>& FileScritti() const { return fileScritti_; }

  // Whether a font family counts as available on the printer.
  static bool FontDisponibile(const std::string& nome);

 private:
  QPainter& Disegno();  // begins the document and the page on first use
  QPointF Punto(double x, double y) const;
  double TwipPerPunto() const;

  QPrinter& printer_;
  std::unique_ptr<QPainter> painter_;
  QFont font_;
  QColor coloreTesto_ = Qt::black;
  double scaleLeft_ = 0, scaleTop_ = 0;
  double x_ = 0, y_ = 0;
  int32_t pagina_ = 1;
  bool paginaSporca_ = false;  // something was drawn on the current page
  bool nuovaPaginaInSospeso_ = false;
  int documento_ = 0;           // documents begun on this printer (a PDF target gets "-2" etc.)
  QString fileBase_;
  QString ultimoFile_;  // the file of the last PDF document begun
  std::vector<QString> fileScritti_;
};

}  // namespace varnex::ui
