#include "report/print/ui/stampante_qt.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QImageReader>
#include <QPageLayout>

#include "report/print/ui/stampante.h"
#include "shell/ui/services.h"

namespace varnex::ui {

namespace {

constexpr double TwipPerPollice = 1440.0;
// A picture is painted in its own size at the screen's 15 twips per pixel.
constexpr int TwipPerPixel = 15;

}  // namespace

StampanteQt::StampanteQt(QPrinter& printer) : printer_(printer) {
  printer_.setFullPage(true);
  font_ = QFont(QStringLiteral("Arial"));
  font_.setPointSizeF(9);
}

StampanteQt::~StampanteQt() { Chiudi(); }

double StampanteQt::TwipPerPunto() const {
  const int dpi = printer_.resolution();
  return TwipPerPollice / (dpi > 0 ? dpi : 1200);
}

MarginiCarta StampanteQt::Margini() {
  const QMarginsF m = printer_.pageLayout().margins(QPageLayout::Point);
  return {m.left() * 20.0, m.top() * 20.0, m.right() * 20.0, m.bottom() * 20.0};
}

int32_t StampanteQt::Width() {
  const QRectF r = printer_.pageLayout().fullRectPoints();
  return static_cast<int32_t>(std::lround(r.width() * 20.0));
}

int32_t StampanteQt::Height() {
  const QRectF r = printer_.pageLayout().fullRectPoints();
  return static_cast<int32_t>(std::lround(r.height() * 20.0));
}

void StampanteQt::ImpostaScala(double scaleLeft, double scaleTop) {
  scaleLeft_ = scaleLeft;
  scaleTop_ = scaleTop;
}

bool StampanteQt::FontDisponibile(const std::string& nome) {
  // The three families the report asks for are served by their metric-compatible stand-ins.
  if (nome == "Arial" || nome == "Times New Roman" || nome == "Courier New") return true;
  return QFontDatabase::families().contains(QString::fromStdString(nome), Qt::CaseInsensitive);
}

std::string StampanteQt::FontName() { return font_.family().toStdString(); }

bool StampanteQt::SetFontName(const std::string& nome) {
  if (!FontDisponibile(nome)) return false;
  font_.setFamily(QString::fromStdString(nome));
  return true;
}

double StampanteQt::FontSize() { return font_.pointSizeF(); }
void StampanteQt::SetFontSize(double punti) {
  if (punti > 0) font_.setPointSizeF(punti);
}
bool StampanteQt::FontBold() { return font_.bold(); }
void StampanteQt::SetFontBold(bool grassetto) { font_.setBold(grassetto); }
bool StampanteQt::FontItalic() { return font_.italic(); }
void StampanteQt::SetFontItalic(bool corsivo) { font_.setItalic(corsivo); }

int16_t StampanteQt::Orientation() {
  return printer_.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

bool StampanteQt::SetOrientation(int16_t orientamento) {
  if (orientamento != 1 && orientamento != 2) return false;
  return printer_.setPageOrientation(orientamento == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

std::string StampanteQt::DeviceName() {
  if (printer_.outputFormat() == QPrinter::PdfFormat) return NomeStampantePdf;
  return printer_.printerName().toStdString();
}

double StampanteQt::TextWidth(const std::string& testo) {
  QFontMetricsF m(font_, &printer_);
  return m.horizontalAdvance(QString::fromStdString(testo)) * TwipPerPunto();
}

double StampanteQt::TextHeight(const std::string&) {
  QFontMetricsF m(font_, &printer_);
  return m.height() * TwipPerPunto();
}

QPointF StampanteQt::Punto(double x, double y) const {
  const double k = 1.0 / TwipPerPunto();
  return QPointF((x - scaleLeft_) * k, (y - scaleTop_) * k);
}

QPainter& StampanteQt::Disegno() {
  if (!painter_) {
    ++documento_;
    if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty()) {
      // A file name set since the last document is a new target.
      if (printer_.outputFileName() != ultimoFile_) {
        documento_ = 1;
        fileScritti_.clear();
      }
      if (documento_ == 1) {
        fileBase_ = printer_.outputFileName();
      } else {
        // Every further document of the same target goes to a file of its own.
        printer_.setOutputFileName(FileDocumento(fileBase_, documento_));
      }
      ultimoFile_ = printer_.outputFileName();
      fileScritti_.push_back(ultimoFile_);
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer_)) {
      painter_.reset();
      throw std::runtime_error("stampante non disponibile");
    }
    nuovaPaginaInSospeso_ = false;
  } else if (nuovaPaginaInSospeso_) {
    printer_.newPage();
    nuovaPaginaInSospeso_ = false;
  }
  paginaSporca_ = true;
  painter_->setFont(QFont(font_, &printer_));
  return *painter_;
}

void StampanteQt::Line(double x1, double y1, double x2, double y2) {
  QPainter& p = Disegno();
  QPen penna(Qt::black);
  penna.setWidthF(printer_.resolution() / 200.0);
  p.setPen(penna);
  p.drawLine(Punto(x1, y1), Punto(x2, y2));
  x_ = x2;
  y_ = y2;
}

std::optional<std::pair<int32_t, int32_t>> StampanteQt::DimensioniImmagine(const std::string& percorso) {
  QImageReader lettore(QString::fromStdString(percorso));
  const QSize s = lettore.size();
  if (!s.isValid()) return std::nullopt;
  return std::make_pair(s.width() * TwipPerPixel, s.height() * TwipPerPixel);
}

void StampanteQt::PaintPicture(const std::string& percorso, double x, double y, double larghezza, double altezza) {
  QImage immagine(QString::fromStdString(percorso));
  if (immagine.isNull()) return;
  QPainter& p = Disegno();
  p.save();
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRectF(Punto(x, y), Punto(x + larghezza, y + altezza)), immagine);
  p.restore();
}

void StampanteQt::DisegnaSuPagina(const std::function<void(QPainter&, const QRectF&, const QRectF&)>& disegna) {
  QPainter& p = Disegno();
  const double k = 1.0 / TwipPerPunto();
  const QRectF pagina(scaleLeft_, scaleTop_, Width(), Height());
  const QRectF dispositivo(0, 0, Width() * k, Height() * k);
  p.save();
  disegna(p, pagina, dispositivo);
  p.restore();
}

void StampanteQt::Print(const std::string& testo, bool fineRiga) {
  if (!testo.empty()) {
    QPainter& p = Disegno();
    p.setPen(coloreTesto_);
    QFontMetricsF m(font_, &printer_);
    const QPointF punto = Punto(x_, y_);
    p.drawText(QPointF(punto.x(), punto.y() + m.ascent()), QString::fromStdString(testo));
  }
  if (fineRiga) {
    y_ += TextHeight("X");
    x_ = 0;
  } else {
    x_ += TextWidth(testo);
  }
}

void StampanteQt::SetForeColor(int32_t colore) {
  coloreTesto_ = QColor(colore & 0xFF, (colore >> 8) & 0xFF, (colore >> 16) & 0xFF);
}

void StampanteQt::NewPage() {
  // A page that received nothing stays the current page: no blank sheet.
  if (paginaSporca_) {
    nuovaPaginaInSospeso_ = true;
    paginaSporca_ = false;
    ++pagina_;
  }
  x_ = 0;
  y_ = 0;
}

void StampanteQt::EndDoc() {
  Chiudi();
  pagina_ = 1;
  x_ = 0;
  y_ = 0;
}

void StampanteQt::NuovoLavoro() {
  documento_ = 0;
  fileBase_.clear();
  ultimoFile_.clear();
  fileScritti_.clear();
}

QString StampanteQt::FileDocumento(const QString& primo, int documento) {
  if (documento <= 1) return primo;
  QString base = primo;
  if (base.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) base.chop(4);
  return base + QStringLiteral("-%1.pdf").arg(documento);
}

void StampanteQt::Chiudi() {
  if (painter_) {
    painter_->end();
    painter_.reset();
  }
  paginaSporca_ = false;
  nuovaPaginaInSospeso_ = false;
}

void StampanteQt::EventiInSospeso() { DoEvents(); }

}  // namespace varnex::ui
