#include "editor/ui/griglia.h"

#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QRegularExpression>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <algorithm>

#include "shell/ui/services.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

// The smallest type the table steps down to; below it the text is cut as before.
constexpr double CorpoMinimo = 5.5;

}  // namespace

QFont GrigliaTabella::CorpoCheEntra(const QFont& base, const QString& testo, const QRect& spazio, int flag) {
  QFont f = base;
  double corpo = f.pointSizeF() > 0 ? f.pointSizeF() : 9.0;
  for (;; corpo -= 0.5) {
    f.setPointSizeF(std::max(corpo, CorpoMinimo));
    const bool entra = TestoEntra(f, testo, spazio, flag);
    if (entra || corpo <= CorpoMinimo) return f;
  }
}

bool GrigliaTabella::TestoEntra(const QFont& font, const QString& testo, const QRect& spazio, int flag) {
  const QFontMetrics fm(font);
  const QRect r = fm.boundingRect(spazio, flag, testo);
  if (r.width() > spazio.width() || r.height() > spazio.height()) return false;
  if (flag & Qt::TextWordWrap)
    for (const QString& parola : QString(testo).replace(QLatin1Char('\r'), QLatin1Char('\n')).split(QRegularExpression(QStringLiteral("[ \n]")), Qt::SkipEmptyParts))
      if (fm.horizontalAdvance(parola) > spazio.width()) return false;
  return true;
}

QRect GrigliaTabella::SpazioIntestazione(const QRect& sezione) { return sezione.adjusted(1, 1, -1, -1); }
QRect GrigliaTabella::SpazioCella(const QRect& cella) { return cella.adjusted(3, 0, -3, 0); }

namespace {

// The column headings: title and unit broken into as many lines as the header's height holds,
// in a smaller type where a narrow column needs it, instead of being cut.
class IntestazioneAdattata : public QHeaderView {
 public:
  using QHeaderView::QHeaderView;

 protected:
  void paintSection(QPainter* p, const QRect& rettangolo, int sezione) const override {
    if (!rettangolo.isValid()) return;
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = rettangolo;
    opt.section = sezione;
    opt.textAlignment = Qt::AlignCenter;
    const QString testo = model() ? model()->headerData(sezione, orientation()).toString() : QString();
    style()->drawControl(QStyle::CE_HeaderSection, &opt, p, this);
    const QRect spazio = GrigliaTabella::SpazioIntestazione(rettangolo);
    const int flag = GrigliaTabella::FlagIntestazione;
    p->save();
    p->setFont(GrigliaTabella::CorpoCheEntra(font(), testo, spazio, flag));
    p->setPen(palette().color(QPalette::ButtonText));
    p->drawText(spazio, flag, testo);
    p->restore();
  }
};

// Values too wide for their column (a pressure of "199,875" in the narrow end-pressure column)
// are shown in a smaller type instead of as "199,...".
class CelleAdattate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* opt, const QModelIndex& indice) const override {
    QStyledItemDelegate::initStyleOption(opt, indice);
    if (opt->text.isEmpty()) return;
    const QRect spazio = GrigliaTabella::SpazioCella(opt->rect);
    if (QFontMetrics(opt->font).horizontalAdvance(opt->text) <= spazio.width()) return;
    opt->font = GrigliaTabella::CorpoCheEntra(opt->font, opt->text, spazio, GrigliaTabella::FlagCella);
    opt->fontMetrics = QFontMetrics(opt->font);
  }
};

}  // namespace

GrigliaTabella::GrigliaTabella(QWidget* parent) : QTableWidget(parent) {
  setHorizontalHeader(new IntestazioneAdattata(Qt::Horizontal, this));
  setItemDelegate(new CelleAdattate(this));
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignBottom);
  setWordWrap(false);
  connect(this, &QTableWidget::currentCellChanged, this, [this](int r, int c, int, int) {
    const auto riga = static_cast<int16_t>(r + 1), colonna = static_cast<int16_t>(c + 1);
    if (riga == ultimaRiga_ && colonna == ultimaColonna_) return;
    ultimaRiga_ = riga;
    ultimaColonna_ = colonna;
    emit RowColChange();
  });
}

int16_t GrigliaTabella::Rows() const { return static_cast<int16_t>(rowCount() + 1); }
void GrigliaTabella::SetRows(int16_t righe) {
  // Rows come and go with the model's own notices, also while cell changes are being collected.
  QAbstractItemModel* m = model();
  const bool bloccati = raccolte_ > 0 ? m->blockSignals(segnaliBloccati_) : m->signalsBlocked();
  setRowCount(std::max(0, righe - 1));
  m->blockSignals(bloccati);
}
int16_t GrigliaTabella::Cols() const { return static_cast<int16_t>(columnCount() + 1); }
void GrigliaTabella::SetCols(int16_t colonne) {
  QAbstractItemModel* m = model();
  const bool bloccati = raccolte_ > 0 ? m->blockSignals(segnaliBloccati_) : m->signalsBlocked();
  setColumnCount(std::max(0, colonne - 1));
  m->blockSignals(bloccati);
}

int16_t GrigliaTabella::Row() const { return static_cast<int16_t>(std::max(0, currentRow()) + 1); }
int16_t GrigliaTabella::Col() const { return static_cast<int16_t>(std::max(0, currentColumn()) + 1); }

void GrigliaTabella::SetRowCol(int16_t riga, int16_t colonna) {
  if (riga < 1 || colonna < 1 || riga > rowCount() || colonna > columnCount()) return;
  // The current cell moved by the program notifies like a move by the user.
  setCurrentCell(riga - 1, colonna - 1, QItemSelectionModel::ClearAndSelect);
  if (riga != ultimaRiga_ || colonna != ultimaColonna_) {
    ultimaRiga_ = riga;
    ultimaColonna_ = colonna;
    emit RowColChange();
  }
}

int16_t GrigliaTabella::RowSel() const {
  const auto intervalli = selectedRanges();
  if (intervalli.isEmpty()) return Row();
  const auto& s = intervalli.first();
  const int r = currentRow();
  return static_cast<int16_t>((s.topRow() == r ? s.bottomRow() : s.topRow()) + 1);
}

int16_t GrigliaTabella::ColSel() const {
  const auto intervalli = selectedRanges();
  if (intervalli.isEmpty()) return Col();
  const auto& s = intervalli.first();
  const int c = currentColumn();
  return static_cast<int16_t>((s.leftColumn() == c ? s.rightColumn() : s.leftColumn()) + 1);
}

void GrigliaTabella::SetSelezione(int16_t rigaFine, int16_t colonnaFine) {
  if (rowCount() == 0 || columnCount() == 0) return;
  const int r0 = std::max(0, currentRow()), c0 = std::max(0, currentColumn());
  const int r1 = std::clamp<int>(rigaFine - 1, 0, rowCount() - 1);
  const int c1 = std::clamp<int>(colonnaFine - 1, 0, columnCount() - 1);
  clearSelection();
  setRangeSelected(QTableWidgetSelectionRange(std::min(r0, r1), std::min(c0, c1), std::max(r0, r1), std::max(c0, c1)),
                   true);
}

QTableWidgetItem* GrigliaTabella::Cella(int16_t riga, int16_t colonna) {
  if (riga < 1 || colonna < 1 || riga > rowCount() || colonna > columnCount()) return nullptr;
  QTableWidgetItem* it = item(riga - 1, colonna - 1);
  if (!it) {
    it = NuovaCella();
    AggiungiCella(riga, colonna, it);
  }
  return it;
}

QTableWidgetItem* GrigliaTabella::NuovaCella() {
  auto* it = new QTableWidgetItem;
  it->setTextAlignment(Qt::Alignment(FlagCella));
  return it;
}

void GrigliaTabella::AggiungiCella(int16_t riga, int16_t colonna, QTableWidgetItem* cella) {
  setItem(riga - 1, colonna - 1, cella);
  Cambiata(riga - 1, colonna - 1);
}

void GrigliaTabella::Cambiata(int riga, int colonna) {
  if (raccolte_ == 0) return;
  // A cell's text and colours are written one after the other: it is told once.
  if (!cambiate_.empty() && cambiate_.back() == std::pair(riga, colonna)) return;
  cambiate_.emplace_back(riga, colonna);
}

void GrigliaTabella::RigaCambiata(int riga) {
  if (raccolte_ == 0) return;
  primaRigaCambiata_ = primaRigaCambiata_ < 0 ? riga : std::min(primaRigaCambiata_, riga);
  ultimaRigaCambiata_ = std::max(ultimaRigaCambiata_, riga);
}

GrigliaTabella::RaccoltaModifiche::RaccoltaModifiche(GrigliaTabella& griglia) : griglia_(griglia) {
  if (griglia_.raccolte_++ == 0) griglia_.segnaliBloccati_ = griglia_.model()->blockSignals(true);
}

GrigliaTabella::RaccoltaModifiche::~RaccoltaModifiche() {
  if (--griglia_.raccolte_ == 0) griglia_.ConsegnaModifiche();
}

void GrigliaTabella::ConsegnaModifiche() {
  QAbstractItemModel* m = model();
  m->blockSignals(segnaliBloccati_);
  const std::vector<std::pair<int, int>> celle = std::exchange(cambiate_, {});
  const int prima = std::exchange(primaRigaCambiata_, -1), ultima = std::exchange(ultimaRigaCambiata_, -1);
  if (segnaliBloccati_) return;
  if (!celle.empty() && rowCount() > 0 && columnCount() > 0) {
    if (!isVisible() || !updatesEnabled()) {
      // A table not on screen or not redrawn has nothing to repaint cell by cell.
      emit m->dataChanged(m->index(0, 0), m->index(rowCount() - 1, columnCount() - 1));
    } else {
      // Only the cells in view are repainted; the others are painted when scrolled into view.
      const int alta = rowAt(0);
      const int bassa = rowAt(viewport()->height() - 1) < 0 ? rowCount() - 1 : rowAt(viewport()->height() - 1);
      for (const auto& [r, c] : celle)
        if (alta >= 0 && r >= alta && r <= bassa && c < columnCount()) {
          const QModelIndex i = m->index(r, c);
          emit m->dataChanged(i, i);
        }
    }
  }
  if (prima >= 0 && ultima < rowCount()) emit m->headerDataChanged(Qt::Vertical, prima, ultima);
}

const QTableWidgetItem* GrigliaTabella::CellaSeEsiste(int16_t riga, int16_t colonna) const {
  if (riga < 1 || colonna < 1 || riga > rowCount() || colonna > columnCount()) return nullptr;
  return item(riga - 1, colonna - 1);
}

std::string GrigliaTabella::TextMatrix(int16_t riga, int16_t colonna) const {
  if (riga == 0 && colonna >= 1) {
    const QTableWidgetItem* h = horizontalHeaderItem(colonna - 1);
    return h ? SS(h->text()) : std::string();
  }
  if (colonna == 0 && riga >= 1) {
    const QTableWidgetItem* h = verticalHeaderItem(riga - 1);
    return h ? SS(h->text()) : std::string();
  }
  const QTableWidgetItem* it = CellaSeEsiste(riga, colonna);
  return it ? SS(it->text()) : std::string();
}

void GrigliaTabella::SetTextMatrix(int16_t riga, int16_t colonna, const std::string& testo) {
  QString t = QS(testo);
  if (riga == 0 && colonna >= 1 && colonna <= columnCount()) {
    t.replace(QChar('\r'), QChar('\n'));
    if (const QTableWidgetItem* h = horizontalHeaderItem(colonna - 1); h && h->text() == t) return;
    setHorizontalHeaderItem(colonna - 1, new QTableWidgetItem(t));
    return;
  }
  if (colonna == 0 && riga >= 1 && riga <= rowCount()) {
    if (const QTableWidgetItem* h = verticalHeaderItem(riga - 1);
        h && h->text() == t && h->textAlignment() == (Qt::AlignLeft | Qt::AlignBottom))
      return;
    auto* h = new QTableWidgetItem(t);
    h->setTextAlignment(Qt::AlignLeft | Qt::AlignBottom);
    setVerticalHeaderItem(riga - 1, h);
    RigaCambiata(riga - 1);
    return;
  }
  if (QTableWidgetItem* it = Cella(riga, colonna); it && it->text() != t) {
    it->setText(t);
    Cambiata(riga - 1, colonna - 1);
  }
}

int32_t GrigliaTabella::CellForeColor(int16_t riga, int16_t colonna) const {
  const QTableWidgetItem* it = CellaSeEsiste(riga, colonna);
  if (!it || it->foreground().style() == Qt::NoBrush) return 0;
  return ValoreVB(it->foreground().color());
}

int32_t GrigliaTabella::CellBackColor(int16_t riga, int16_t colonna) const {
  const QTableWidgetItem* it = CellaSeEsiste(riga, colonna);
  if (!it || it->background().style() == Qt::NoBrush) return 0xFFFFFF;
  return ValoreVB(it->background().color());
}

bool GrigliaTabella::CellFontBold(int16_t riga, int16_t colonna) const {
  const QTableWidgetItem* it = CellaSeEsiste(riga, colonna);
  return it && it->font().bold();
}

void GrigliaTabella::SetCellForeColor(int16_t riga, int16_t colonna, int32_t c) {
  if (QTableWidgetItem* it = Cella(riga, colonna)) {
    const QBrush colore(ColoreVB(c));
    if (it->foreground() == colore) return;
    it->setForeground(colore);
    Cambiata(riga - 1, colonna - 1);
  }
}

void GrigliaTabella::SetCellBackColor(int16_t riga, int16_t colonna, int32_t c) {
  if (QTableWidgetItem* it = Cella(riga, colonna)) {
    const QBrush colore(ColoreVB(c));
    if (it->background() == colore) return;
    it->setBackground(colore);
    Cambiata(riga - 1, colonna - 1);
  }
}

void GrigliaTabella::SetCellColors(int16_t riga, int16_t colonna, int32_t sfondo, int32_t testo) {
  if (riga < 1 || colonna < 1 || riga > rowCount() || colonna > columnCount()) return;
  if (item(riga - 1, colonna - 1)) {
    SetCellBackColor(riga, colonna, sfondo);
    SetCellForeColor(riga, colonna, testo);
    return;
  }
  // Coloured before it joins the table, a new cell costs the table one notice instead of three.
  AggiungiCella(riga, colonna, NuovaCella(sfondo, testo));
}

QTableWidgetItem* GrigliaTabella::NuovaCella(int32_t sfondo, int32_t testo) {
  auto [modello, nuovo] = modelli_.try_emplace({sfondo, testo});
  if (nuovo) {
    QTableWidgetItem& m = modello->second;
    m.setTextAlignment(Qt::Alignment(FlagCella));
    m.setBackground(QBrush(ColoreVB(sfondo)));
    m.setForeground(QBrush(ColoreVB(testo)));
  }
  return new QTableWidgetItem(modello->second);
}

void GrigliaTabella::SetCellFontBold(int16_t riga, int16_t colonna, bool grassetto) {
  if (QTableWidgetItem* it = Cella(riga, colonna)) {
    if (it->font().bold() == grassetto) return;
    QFont f = it->font();
    f.setBold(grassetto);
    it->setFont(f);
    Cambiata(riga - 1, colonna - 1);
  }
}

void GrigliaTabella::SvuotaDati() {
  const RaccoltaModifiche raccolta(*this);
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 0; c < columnCount(); ++c)
      if (QTableWidgetItem* it = item(r, c); it && !it->text().isEmpty()) {
        it->setText(QString());
        Cambiata(r, c);
      }
}

void GrigliaTabella::SetRowHeight(int16_t riga, int twips) {
  if (riga == 0)
    horizontalHeader()->setFixedHeight(Pixel(twips));
  else if (riga <= rowCount())
    setRowHeight(riga - 1, Pixel(twips));
}

void GrigliaTabella::SetColWidth(int16_t colonna, int twips) {
  if (colonna == 0)
    verticalHeader()->setFixedWidth(Pixel(twips));
  else if (colonna <= columnCount())
    setColumnWidth(colonna - 1, Pixel(twips));
}

int GrigliaTabella::ColWidth(int16_t colonna) const {
  if (colonna == 0) return Twips(verticalHeader()->width());
  if (colonna > columnCount()) return 0;
  return Twips(columnWidth(colonna - 1));
}

int GrigliaTabella::CellLeft() const {
  return Twips(verticalHeader()->width() + columnViewportPosition(std::max(0, currentColumn())));
}
int GrigliaTabella::CellTop() const {
  return Twips(horizontalHeader()->height() + rowViewportPosition(std::max(0, currentRow())));
}
int GrigliaTabella::CellWidth() const { return Twips(columnWidth(std::max(0, currentColumn()))); }
int GrigliaTabella::CellHeight() const { return Twips(rowHeight(std::max(0, currentRow()))); }

void GrigliaTabella::SetRedraw(bool attivo) {
  setUpdatesEnabled(attivo);
  if (attivo) viewport()->update();
}

}  // namespace varnex::ui
