#include "editor/ui/celle.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>

#include "archives/ui/diametri.h"
#include "editor/ui/portata.h"
#include "editor/ui/ptronchi.h"
#include "shell/ui/services.h"
#include "shell/ui/tasti.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

QRect PixelRett(const AreaTwips& r) {
  return {ui::Pixel(r.Sinistra), ui::Pixel(r.Alto), ui::Pixel(r.Larghezza), ui::Pixel(r.Altezza)};
}

// The ">" button's designed width.
constexpr int LarghezzaPulsanteTwips = 255;

}  // namespace

EditorCelleGriglia::EditorCelleGriglia(GasGrid& griglia)
    : QObject(&griglia), g_(griglia), logica_(*this, griglia.LayoutGriglia) {
  ImpostaEditorCelle(this);
  g_.Text1->installEventFilter(this);
  g_.Combo1->installEventFilter(this);
  connect(g_.Text1, &QLineEdit::textChanged, this, [this](const QString&) {
    logica_.Text1_Change();
    // Let repaints and timers run, but not the keys still queued: the first key of a fast typist
    // opens the editor and fills it, and the next ones must reach the editor once it has the
    // keyboard instead of reopening it over the table (which lost every key but the last).
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  auto scelta = [this](int) { Esegui([this] { logica_.Combo1_Click(); }); };
  connect(g_.Combo1, &QComboBox::activated, this, scelta);
  connect(g_.Combo1, &QComboBox::currentIndexChanged, this, scelta);
  connect(g_.cmdDettagliDiametro, &QPushButton::clicked, this,
          [this] { Esegui([this] { logica_.cmdDettagliDiametro_Click(); }); });
}

EditorCelleGriglia::~EditorCelleGriglia() {
  if (EditorCelle() == this) ImpostaEditorCelle(nullptr);
}

void EditorCelleGriglia::Esegui(const std::function<void()>& azione) {
  ++profondita_;
  struct Uscita {
    int& p;
    ~Uscita() { --p; }
  } uscita{profondita_};
  azione();
  if (profondita_ > 1) return;
  // The focus losses our handler caused, now that it is over.
  while (perditaEditor_ || perditaLista_) {
    const bool lista = !perditaEditor_;
    (lista ? perditaLista_ : perditaEditor_) = false;
    if (lista)
      logica_.Combo1_LostFocus();
    else
      logica_.Text1_LostFocus();
  }
}

void EditorCelleGriglia::PerditaFocus(bool lista) {
  if (profondita_ > 0) {
    (lista ? perditaLista_ : perditaEditor_) = true;
    return;
  }
  Esegui([this, lista] {
    if (lista)
      logica_.Combo1_LostFocus();
    else
      logica_.Text1_LostFocus();
  });
}

void EditorCelleGriglia::GridEditing(const std::string& testo) {
  Esegui([this, &testo] { logica_.GridEditing(testo); });
}

void EditorCelleGriglia::ConfermaModificaInCorso() {
  Esegui([this] { logica_.ConfermaModificaInCorso(); });
}

bool EditorCelleGriglia::eventFilter(QObject* oggetto, QEvent* evento) {
  const bool editor = oggetto == g_.Text1;
  switch (evento->type()) {
    case QEvent::KeyPress: {
      auto* k = static_cast<QKeyEvent*>(evento);
      if (k->key() == Qt::Key_F9 || k->key() == Qt::Key_F11) return false;  // the window's keys
      if (!editor) {
        if (CodiceTasto(*k) == 13)
          Esegui([this] { logica_.Combo1_KeyPress(13); });
        return false;
      }
      const int16_t codice = CodiceTasto(*k) == 27 ? int16_t{27} : CodiceFreccia(*k);
      if (codice != 0) {
        bool gestito = false;
        Esegui([this, codice, &gestito] { gestito = logica_.Text1_KeyDown(codice); });
        return gestito;
      }
      std::string carattere = CarattereTasto(*k);
      if (carattere.empty()) return false;
      Esegui([this, &carattere] { logica_.Text1_KeyPress(carattere); });
      return carattere.empty();
    }
    case QEvent::KeyRelease:
      // Only while the editor is up: after Enter the key is released over the table.
      if (editor && g_.Text1->isVisible()) Esegui([this] { logica_.Text1_KeyUp(); });
      return false;
    case QEvent::MouseButtonDblClick:
      if (editor) {
        Esegui([this] { logica_.Text1_DblClick(); });
        return true;
      }
      return false;
    case QEvent::FocusOut: {
      // A popup (the list's drop-down, a context menu) keeps the edit going.
      if (static_cast<QFocusEvent*>(evento)->reason() == Qt::PopupFocusReason) return false;
      PerditaFocus(!editor);
      return false;
    }
    default:
      return false;
  }
}

// ---- The view -------------------------------------------------------------------------------

int16_t EditorCelleGriglia::Row() const { return g_.Grid->Row(); }
int16_t EditorCelleGriglia::Col() const { return g_.Grid->Col(); }
int16_t EditorCelleGriglia::RowSel() const { return g_.Grid->RowSel(); }
int16_t EditorCelleGriglia::ColSel() const { return g_.Grid->ColSel(); }
int16_t EditorCelleGriglia::Rows() const { return g_.Grid->Rows(); }
int16_t EditorCelleGriglia::Cols() const { return g_.Grid->Cols(); }
void EditorCelleGriglia::SetRowCol(int16_t riga, int16_t colonna) { g_.Grid->SetRowCol(riga, colonna); }
void EditorCelleGriglia::SetSelezione(int16_t rigaFine, int16_t colonnaFine) {
  g_.Grid->SetSelezione(rigaFine, colonnaFine);
}
std::string EditorCelleGriglia::TextMatrix(int16_t riga, int16_t colonna) const {
  return g_.Grid->TextMatrix(riga, colonna);
}
void EditorCelleGriglia::SetTextMatrix(int16_t riga, int16_t colonna, const std::string& testo) {
  g_.Grid->SetTextMatrix(riga, colonna, testo);
}
int32_t EditorCelleGriglia::CellForeColor(int16_t riga, int16_t colonna) const {
  return g_.Grid->CellForeColor(riga, colonna);
}
void EditorCelleGriglia::SetCellForeColor(int16_t riga, int16_t colonna, int32_t colore) {
  g_.Grid->SetCellForeColor(riga, colonna, colore);
}
void EditorCelleGriglia::SetCellBackColor(int16_t riga, int16_t colonna, int32_t colore) {
  g_.Grid->SetCellBackColor(riga, colonna, colore);
}
void EditorCelleGriglia::SetRedraw(bool attivo) { g_.Grid->SetRedraw(attivo); }

AreaTwips EditorCelleGriglia::RettangoloCella() const {
  return {Twips(g_.Grid->x()) + g_.Grid->CellLeft(), Twips(g_.Grid->y()) + g_.Grid->CellTop(), g_.Grid->CellWidth(),
          g_.Grid->CellHeight()};
}

bool EditorCelleGriglia::RigaInVista(int16_t riga) const {
  if (riga < 1 || riga > g_.Grid->rowCount()) return false;
  // Half of it at least within the table's visible area.
  const int alto = g_.Grid->rowViewportPosition(riga - 1), altezza = g_.Grid->rowHeight(riga - 1);
  return alto + altezza / 2 >= 0 && alto + altezza / 2 <= g_.Grid->viewport()->height();
}

void EditorCelleGriglia::FocusTabella() { g_.Grid->setFocus(); }

std::string EditorCelleGriglia::TestoEditor() const { return SS(g_.Text1->text()); }

void EditorCelleGriglia::ImpostaTestoEditor(const std::string& testo, bool tuttoSelezionato) {
  g_.Text1->setText(QS(testo));
  if (tuttoSelezionato)
    g_.Text1->selectAll();
  else
    g_.Text1->end(false);
}

void EditorCelleGriglia::MostraEditor(const AreaTwips& posto) {
  g_.Text1->setGeometry(PixelRett(posto));
  g_.Text1->show();
  g_.Text1->raise();
}

void EditorCelleGriglia::NascondiEditor() { NascondiConFuoco(g_.Text1); }
void EditorCelleGriglia::FocusEditor() { g_.Text1->setFocus(); }

int EditorCelleGriglia::LarghezzaPulsante() const { return LarghezzaPulsanteTwips; }

void EditorCelleGriglia::MostraPulsante(const AreaTwips& posto) {
  g_.cmdDettagliDiametro->setGeometry(PixelRett(posto));
  g_.cmdDettagliDiametro->show();
  g_.cmdDettagliDiametro->raise();
}

void EditorCelleGriglia::NascondiPulsante() { NascondiConFuoco(g_.cmdDettagliDiametro); }

int EditorCelleGriglia::NumeroVoci() const { return g_.Combo1->count(); }
std::string EditorCelleGriglia::TestoVoce(int indice) const { return SS(g_.Combo1->itemText(indice)); }
void EditorCelleGriglia::SelezionaVoce(int indice) { g_.Combo1->setCurrentIndex(indice); }
std::string EditorCelleGriglia::VoceScelta() const {
  return g_.Combo1->currentIndex() >= 0 ? SS(g_.Combo1->currentText()) : std::string();
}

void EditorCelleGriglia::MostraLista() {
  g_.Combo1->show();
  g_.Combo1->raise();
}

void EditorCelleGriglia::FocusLista() { g_.Combo1->setFocus(); }

void EditorCelleGriglia::Lucchetto(bool chiuso) {
  g_.Principale().ImpostaFigura(Comando::cmdDiamLocked, chiuso ? Immagine::ImgLockClosed : Immagine::ImgLockOpen);
}

void EditorCelleGriglia::TestoStato(const std::string& testo) { g_.MostraStato(QS(testo)); }
void EditorCelleGriglia::Elaborazione() { g_.Elaborazione(); }
void EditorCelleGriglia::AggiungiRigaGriglia() { g_.AggiungiRigaGriglia(); }

std::string EditorCelleGriglia::ScegliDiametro(int16_t serie) { return ui::ScegliDiametro(serie, &g_); }

EsitoPortata EditorCelleGriglia::PortataUtenza(bool, int16_t riga, float) {
  // The dialog of the activity in force, primed with the segment's own flow.
  const EsitoDialogoPortata d = ChiediPortataUtenza(riga);
  return {d.Done, d.Portata, d.Tipologia, d.Composizione};
}

void EditorCelleGriglia::ParametriTronco(int16_t riga) { ApriParametriTronco(riga); }

}  // namespace varnex::ui
