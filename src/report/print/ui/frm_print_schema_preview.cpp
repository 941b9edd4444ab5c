#include "report/print/ui/frm_print_schema_preview.h"

#include <QEvent>
#include <QFontDialog>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <algorithm>
#include <optional>

#include "model/numbers.h"
#include "schema/disegno.h"
#include "schema/ui/superficie_qt.h"
#include "shell/settings.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

constexpr int LarghezzaSchema = 9630;
constexpr int AltezzaSchema = 6808;

}  // namespace

frmPrintSchemaPreview::frmPrintSchemaPreview(QWidget* parent) : Dialogo(parent) {
  setObjectName(QStringLiteral("frmPrintSchemaPreview"));
  setWindowTitle(QStringLiteral("Preview"));
  setFixedSize(DimensioneTwips(10005, 7845));

  frameZoom = new QGroupBox(QStringLiteral("Zoom"), this);
  frameZoom->setObjectName(QStringLiteral("frameZoom"));
  frameZoom->setGeometry(RettangoloTwips(0, 0, 2175, 615));
  cmdZoomMinus = new QPushButton(QStringLiteral("-"), frameZoom);
  cmdZoomMinus->setObjectName(QStringLiteral("cmdZoomMinus"));
  cmdZoomMinus->setGeometry(RettangoloTwips(105, 240, 240, 300));
  TextZoom = new QLineEdit(frameZoom);
  TextZoom->setObjectName(QStringLiteral("TextZoom"));
  TextZoom->setGeometry(RettangoloTwips(405, 240, 630, 300));
  TextZoom->installEventFilter(this);
  cmdZoomPlus = new QPushButton(QStringLiteral("+"), frameZoom);
  cmdZoomPlus->setObjectName(QStringLiteral("cmdZoomPlus"));
  cmdZoomPlus->setGeometry(RettangoloTwips(1110, 240, 240, 300));
  // No action of its own: taking the focus from TextZoom applies the typed zoom.
  cmdZoomApply = new QPushButton(QStringLiteral("Applica"), frameZoom);
  cmdZoomApply->setObjectName(QStringLiteral("cmdZoomApply"));
  cmdZoomApply->setGeometry(RettangoloTwips(1380, 240, 735, 315));

  cmdPrint = new QPushButton(QStringLiteral("Stampa"), this);
  cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
  cmdPrint->setGeometry(RettangoloTwips(2220, 120, 1095, 495));
  cmdCancel = new QPushButton(QStringLiteral("Annulla"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel->setGeometry(RettangoloTwips(3360, 120, 1215, 495));
  for (QPushButton* b : {cmdZoomMinus, cmdZoomPlus, cmdZoomApply, cmdPrint, cmdCancel}) b->setAutoDefault(false);

  frmFontType = new QGroupBox(QStringLiteral("Font testo"), this);
  frmFontType->setObjectName(QStringLiteral("frmFontType"));
  frmFontType->setGeometry(RettangoloTwips(4620, 0, 2475, 615));
  txtFontType = new QLineEdit(frmFontType);
  txtFontType->setObjectName(QStringLiteral("txtFontType"));
  txtFontType->setGeometry(RettangoloTwips(120, 240, 1935, 285));
  cmdFont = new QPushButton(QStringLiteral("..."), frmFontType);
  cmdFont->setObjectName(QStringLiteral("cmdFont"));
  cmdFont->setGeometry(RettangoloTwips(2100, 240, 255, 315));
  cmdFont->setAutoDefault(false);

  picSchema = new QLabel(this);
  picSchema->setObjectName(QStringLiteral("picSchema"));
  picSchema->setGeometry(RettangoloTwips(0, 720, LarghezzaSchema, AltezzaSchema));
  picSchema->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  VpicScroll = new QScrollBar(Qt::Vertical, this);
  VpicScroll->setObjectName(QStringLiteral("VpicScroll"));
  VpicScroll->setGeometry(RettangoloTwips(9720, 720, 285, 6810));
  VpicScroll->setRange(0, 32767);
  HpicScroll = new QScrollBar(Qt::Horizontal, this);
  HpicScroll->setObjectName(QStringLiteral("HpicScroll"));
  HpicScroll->setGeometry(RettangoloTwips(0, 7560, 9660, 285));
  HpicScroll->setRange(0, 32767);

  lblFogli = new QLabel(this);
  lblFogli->setObjectName(QStringLiteral("lblFogli"));
  lblFogli->setGeometry(RettangoloTwips(7200, 120, 2700, 495));
  lblFogli->setWordWrap(true);

  connect(cmdZoomMinus, &QPushButton::clicked, this, [this] { cmdZoomMinus_Click(); });
  connect(cmdZoomPlus, &QPushButton::clicked, this, [this] { cmdZoomPlus_Click(); });
  connect(cmdFont, &QPushButton::clicked, this, [this] { cmdFont_Click(); });
  connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  Form_Load();
  // Over the window the user works in, not the middle of a larger screen far from it.
  CentraSulloSchermo(*this);
}

void frmPrintSchemaPreview::Form_Load() {
  previewFontName = GetSetting("Varnex", "PrintPreviewLastFontName");
  if (previewFontName.empty()) previewFontName = "arial";
  previewFontSize = StrToInteger(GetSetting("Varnex", "PrintPreviewLastFontSize"));
  if (previewFontSize == 0) previewFontSize = 7;
  zoom = StrToInteger(GetSetting("Varnex", "PrintPreviewLastZoom"));
  if (zoom == 0) zoom = 100;
  ShowFontType();
  // The view starts centred; each change of a bar redraws.
  VpicScroll->setValue(static_cast<int>(ArrotondaPari(VpicScroll->maximum() / 2.0)));
  HpicScroll->setValue(static_cast<int>(ArrotondaPari(HpicScroll->maximum() / 2.0)));
  connect(VpicScroll, &QScrollBar::valueChanged, this, [this] { pictureRepaint(); });
  connect(HpicScroll, &QScrollBar::valueChanged, this, [this] { pictureRepaint(); });
  for (QScrollBar* s : {VpicScroll, HpicScroll}) {
    s->setSingleStep(2000);
    s->setPageStep(2000);
  }
  pictureRepaint();
}

QRectF VistaAnteprimaSchema::Disegna(QPainter& painter, const QRectF& vista, const QRectF& dispositivo,
                                     const std::string& nome, std::vector<QRectF>* blocchi,
                                     std::optional<QRectF> soloIntereIn) const {
  SchemaMinX = minX, SchemaMinY = minY, SchemaMaxX = maxX, SchemaMaxY = maxY;
  // The schema lays itself out on the surface the preview's picture is, whatever part is shown.
  SuperficieQt superficie(nome, painter, vista, dispositivo, finestra.width(), finestra.height(), finestra.height(),
                          ColoreBianco);
  if (soloIntereIn) superficie.SoloEtichetteIntereIn(*soloIntereIn);
  superficie.ScalaCaratteri(scalaCaratteri);
  varnex::DrawSchema(superficie, 3, std::nullopt, std::nullopt, std::nullopt, std::nullopt, fontName, fontSize);
  if (blocchi) *blocchi = superficie.BlocchiEtichette();
  return superficie.Estensione();
}

void frmPrintSchemaPreview::pictureRepaint() {
  const QSize lato(std::max(1, picSchema->width()), std::max(1, picSchema->height()));
  immagine_ = QImage(lato, QImage::Format_RGB32);
  // The picture stands for the paper: white, whatever the dialog's colours.
  immagine_.fill(Qt::white);
  TextZoom->setText(QString::number(static_cast<double>(zoom)));
  // The zoom divides the picture's scale: a zoom that is not positive draws at 100 %.
  const double z = zoom > 0 ? zoom : 100.0;
  vista_.finestra = QRectF(HpicScroll->value() - HpicScroll->maximum() / 2.0,
                           VpicScroll->value() - VpicScroll->maximum() / 2.0, Twips(lato.width()) * 100.0 / z,
                           Twips(lato.height()) * 100.0 / z);
  vista_.fontName = previewFontName;
  vista_.fontSize = std::max(previewFontSize, CorpoMinimoEtichetteSchema);
  vista_.minX = SchemaMinX, vista_.minY = SchemaMinY, vista_.maxX = SchemaMaxX, vista_.maxY = SchemaMaxY;
  // The paper's type in proportion to the drawing: the picture's labels go where the paper's go.
  const CartaAnteprima carta = contaFogli_ ? contaFogli_(vista_) : CartaAnteprima{};
  VistaAnteprimaSchema immagine = vista_;
  if (carta.twipPerUnita > 0 && vista_.finestra.width() > 0) {
    const double dpi = immagine_.logicalDpiX() > 0 ? immagine_.logicalDpiX() : 96;
    const double twipPerUnitaSchermo = immagine_.width() / vista_.finestra.width() * 1440 / dpi;
    immagine.scalaCaratteri = twipPerUnitaSchermo / carta.twipPerUnita;
  }
  {
    QPainter painter(&immagine_);
    QFont f = painter.font();
    f.setPointSize(10);
    painter.setFont(f);
    SchemaMinX = vista_.minX, SchemaMinY = vista_.minY, SchemaMaxX = vista_.maxX, SchemaMaxY = vista_.maxY;
    immagine.Disegna(painter, vista_.finestra, QRectF(immagine_.rect()), "picSchema");
    misuraImmagine_ = SuperficieQt::MisuraUltimaCarta();
  }
  picSchema->setPixmap(QPixmap::fromImage(immagine_));
  MostraFogli(carta.fogli);
}

void frmPrintSchemaPreview::ImpostaContaFogli(std::function<CartaAnteprima(const VistaAnteprimaSchema&)> conta) {
  contaFogli_ = std::move(conta);
  pictureRepaint();
}

void frmPrintSchemaPreview::MostraFogli(int fogli) {
  if (!contaFogli_) {
    lblFogli->clear();
    return;
  }
  // The paper keeps its type at the printed size: a view that does not hold at that size goes on
  // over several sheets.
  lblFogli->setText(fogli == 1 ? QStringLiteral("Stampa su 1 foglio")
                               : QStringLiteral("Stampa su %1 fogli").arg(fogli));
}

void frmPrintSchemaPreview::ShowFontType() {
  txtFontType->setFont(QFont(QS(previewFontName), previewFontSize > 0 ? previewFontSize : 1));
  txtFontType->setText(QS(previewFontName) + QStringLiteral(": ") + QString::number(previewFontSize));
}

void frmPrintSchemaPreview::cmdZoomMinus_Click() {
  // The zoom divides the drawing's scale: it stops at 1 %.
  if (zoom - 1 < 1) return;
  zoom -= 1;
  pictureRepaint();
}

void frmPrintSchemaPreview::cmdZoomPlus_Click() {
  zoom += 1;
  pictureRepaint();
}

void frmPrintSchemaPreview::TextZoom_LostFocus() {
  zoom = StrToInteger(SS(TextZoom->text()));
  QPalette colori = TextZoom->palette();
  if (zoom <= 10 || zoom >= 300) {
    colori.setColor(QPalette::Base, ColoreVB(255));
    TextZoom->setPalette(colori);
    TextZoom->setText(QStringLiteral("100"));
    return;
  }
  pictureRepaint();
  TextZoom->setPalette(QPalette());
}

bool frmPrintSchemaPreview::eventFilter(QObject* o, QEvent* e) {
  if (o == TextZoom && e->type() == QEvent::FocusOut) TextZoom_LostFocus();
  return Dialogo::eventFilter(o, e);
}

void frmPrintSchemaPreview::cmdFont_Click() {
  QFontDialog dlgFont(QFont(QS(previewFontName), previewFontSize > 0 ? previewFontSize : 1), this);
  dlgFont.setObjectName(QStringLiteral("dlgFont"));
  // A cancelled dialog keeps the font as it was.
  if (MostraModale(dlgFont) == QDialog::Accepted) {
    const QFont scelto = dlgFont.selectedFont();
    previewFontName = SS(scelto.family());
    previewFontSize = static_cast<int16_t>(ArrotondaPari(scelto.pointSizeF()));
  }
  ShowFontType();
  pictureRepaint();
}

void frmPrintSchemaPreview::cmdPrint_Click() {
  pictureRepaint();
  response = "print";
  SaveSetting("Varnex", "PrintPreviewLastFontSize", std::to_string(previewFontSize));
  SaveSetting("Varnex", "PrintPreviewLastFontName", previewFontName);
  SaveSetting("Varnex", "PrintPreviewLastZoom", SS(QString::number(static_cast<double>(zoom))));
  hide();
}

void frmPrintSchemaPreview::cmdCancel_Click() {
  response = "cancel";
  hide();
}

}  // namespace varnex::ui
