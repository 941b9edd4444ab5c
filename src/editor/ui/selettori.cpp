#include "editor/ui/selettori.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

#include "editor/ui/gasgrid.h"
#include "model/interaction.h"
#include "model/globals.h"
#include "model/rete.h"
#include "shell/stato_interfaccia.h"
#include "shell/ui/services.h"

namespace varnex::ui {

SelettoriRete::SelettoriRete(GasGrid& griglia) : QObject(&griglia), g_(griglia) {
  for (QComboBox* lista : {g_.ComboInitPres, g_.ComboFinalPres, g_.ComboDpMax}) {
    lista->setEditable(true);
    // The entries are suggestions: a typed value is applied, never added to the list.
    lista->setInsertPolicy(QComboBox::NoInsert);
    // No completion from the entries: "45" typed would show as "450", and Enter apply 450.
    lista->setCompleter(nullptr);
    lista->setEnabled(true);
    lista->installEventFilter(this);
    lista->lineEdit()->installEventFilter(this);
  }
  g_.LabelInitPres->setText(QStringLiteral("Pressioni relative : iniziale  [kPa]:"));
  g_.LabelFinalPres->setText(QStringLiteral("finale [kPa]:"));
  g_.LabelDpMax->setText(QStringLiteral("Dp max imposto [Pa]:"));
  g_.ComboInitPres->setToolTip(QStringLiteral("Pressione relativa iniziale (100 KPa = 1 bar)"));
  g_.ComboFinalPres->setToolTip(QStringLiteral("Pressione relativa finale (100 KPa = 1 bar)"));
}

void SelettoriRete::Riempi(QComboBox* lista) {
  const QSignalBlocker blocco(lista);
  lista->clear();
  for (const std::string& voce : VociSelettore()) lista->addItem(QS(voce));
}

void SelettoriRete::InitInitialPressureCombo(const std::optional<std::string>& iniziale,
                                             const std::optional<std::string>& finale) {
  Riempi(g_.ComboInitPres);
  Riempi(g_.ComboFinalPres);
  SelectItemInInitialPressureList(iniziale.value_or(DefaultPressioneIniziale));
  SelectItemInFinalPressureList(finale.value_or(DefaultPressioneFinale));
}

void SelettoriRete::InitDPMaxCombo(const std::optional<std::string>& s) {
  Riempi(g_.ComboDpMax);
  SelectItemInDpMaxList(s.value_or(PDCMaxTesto));
}

void SelettoriRete::Seleziona(QComboBox* lista, const std::string& testo) {
  const QSignalBlocker blocco(lista);
  const int voce = lista->findText(QS(testo), Qt::MatchExactly | Qt::MatchCaseSensitive);
  lista->setCurrentIndex(voce);
  if (voce < 0) lista->setEditText(QS(testo));
}

void SelettoriRete::SelectItemInInitialPressureList(const std::string& s) { Seleziona(g_.ComboInitPres, s); }
void SelettoriRete::SelectItemInFinalPressureList(const std::string& s) { Seleziona(g_.ComboFinalPres, s); }
void SelettoriRete::SelectItemInDpMaxList(const std::string& s) { Seleziona(g_.ComboDpMax, s); }

void SelettoriRete::Colora(QComboBox* lista, bool rosso) {
  QPalette p = lista->lineEdit()->palette();
  p.setColor(QPalette::Text, rosso ? Qt::red : Qt::black);
  lista->lineEdit()->setPalette(p);
}

bool SelettoriRete::TestoRosso(const QComboBox& lista) {
  return lista.lineEdit() && lista.lineEdit()->palette().color(QPalette::Text) == QColor(Qt::red);
}

bool SelettoriRete::Filtra(Selettore selettore, int16_t& keyAscii) {
  if (keyAscii == 13) return true;
  if (!TastoAmmesso(selettore, keyAscii)) keyAscii = 0;
  return false;
}

bool SelettoriRete::Ammesso(QComboBox* lista, Selettore selettore, const std::string& inVigore) {
  const std::string rifiuto = RifiutoSelettore(selettore, SS(lista->currentText()));
  if (rifiuto.empty()) return true;
  // The value in force stays, shown as before.
  Seleziona(lista, inVigore);
  if (lista->hasFocus()) {
    Rifiuta(lista, rifiuto);
    return false;
  }
  // Left with Tab, the keyboard comes back to the list; left with a click elsewhere (a cell, the
  // schema), it stays where the user clicked. Either way once the move is done, or the list's
  // own focus-out handling and the click would undo what the refusal sets.
  QPointer<QComboBox> l(lista);
  const bool indietro = uscita_ == Qt::TabFocusReason || uscita_ == Qt::BacktabFocusReason;
  QMetaObject::invokeMethod(
      this,
      [this, l, rifiuto, indietro] {
        if (indietro && l)
          Rifiuta(l, rifiuto);
        else
          MsgBox(rifiuto, Bottoni::OK, Icona::Esclamazione);
      },
      Qt::QueuedConnection);
  return false;
}

void SelettoriRete::Rifiuta(QComboBox* lista, const std::string& rifiuto) {
  // The list's own focus change while the message is up must not judge it again.
  const bool prima = rifiutando_;
  rifiutando_ = true;
  MsgBox(rifiuto, Bottoni::OK, Icona::Esclamazione);
  rifiutando_ = prima;
  // The keyboard goes back where the user was typing, the text selected for retyping.
  RidaiTastiera(*lista->lineEdit());
}

bool SelettoriRete::ApplicaPressione(bool iniziale) {
  QComboBox* lista = iniziale ? g_.ComboInitPres : g_.ComboFinalPres;
  double& valore = iniziale ? PressioneIniziale : PressioneFinale;
  if (!Ammesso(lista, iniziale ? Selettore::PressioneIniziale : Selettore::PressioneFinale,
               TestoValoreSelettore(valore)))
    return false;
  const EsitoPressione e =
      LeggiPressione(SS(lista->currentText()), iniziale ? PressioneInizialeDefault() : PressioneFinaleDefault());
  valore = e.Valore;
  Colora(lista, e.Rossa);
  if (RicalcoloAutomatico) g_.Elaborazione();
  Seleziona(lista, TestoValoreSelettore(e.Valore));
  return true;
}

bool SelettoriRete::ApplicaPerdita() {
  if (!Ammesso(g_.ComboDpMax, Selettore::PerditaMassima, PDCMaxTesto)) return false;
  ApplicaPerditaMassima(SS(g_.ComboDpMax->currentText()));
  if (RicalcoloAutomatico) g_.Elaborazione();
  Colora(g_.ComboDpMax, PerditaMassimaRossa(SS(g_.ComboDpMax->currentText())));
  return true;
}

void SelettoriRete::ComboInitPres_KeyPress(int16_t& keyAscii) {
  if (!Filtra(Selettore::PressioneIniziale, keyAscii)) return;
  keyAscii = 0;
  if (ApplicaPressione(true)) g_.ComboFinalPres->setFocus();
}

void SelettoriRete::ComboFinalPres_KeyPress(int16_t& keyAscii) {
  if (!Filtra(Selettore::PressioneFinale, keyAscii)) return;
  keyAscii = 0;
  if (ApplicaPressione(false) && !CursoreBloccato) g_.Grid->setFocus();
}

void SelettoriRete::ComboDpMax_KeyPress(int16_t& keyAscii) {
  if (!Filtra(Selettore::PerditaMassima, keyAscii)) return;
  keyAscii = 0;
  if (CursoreBloccato) {
    ApplicaPerdita();
    return;
  }
  // The table takes the keyboard and the list's loss of it applies the value; a text that cannot
  // be applied is told here, the keyboard staying in the list.
  if (Ammesso(g_.ComboDpMax, Selettore::PerditaMassima, PDCMaxTesto)) g_.Grid->setFocus();
}

void SelettoriRete::ComboInitPres_LostFocus() { ApplicaPressione(true); }
void SelettoriRete::ComboFinalPres_LostFocus() { ApplicaPressione(false); }
void SelettoriRete::ComboDpMax_LostFocus() { ApplicaPerdita(); }

bool SelettoriRete::eventFilter(QObject* oggetto, QEvent* evento) {
  QComboBox* lista = qobject_cast<QComboBox*>(oggetto);
  if (!lista && oggetto->parent()) lista = qobject_cast<QComboBox*>(oggetto->parent());
  if (!lista) return false;
  if (evento->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(evento);
    int16_t tasto = 0;
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
      tasto = 13;
    else if (k->key() == Qt::Key_Backspace)
      tasto = 8;
    else if (!k->text().isEmpty() && k->text().at(0).isPrint())
      tasto = static_cast<int16_t>(k->text().at(0).unicode() < 256 ? k->text().at(0).unicode() : 255);
    else
      return false;  // keys that type nothing (arrows, Delete) are not filtered
    if (lista == g_.ComboInitPres)
      ComboInitPres_KeyPress(tasto);
    else if (lista == g_.ComboFinalPres)
      ComboFinalPres_KeyPress(tasto);
    else
      ComboDpMax_KeyPress(tasto);
    return tasto == 0;
  }
  if (evento->type() == QEvent::FocusIn && oggetto == lista) {
    if (static_cast<QFocusEvent*>(evento)->reason() != Qt::PopupFocusReason) testoIngresso_[lista] = lista->currentText();
    return false;
  }
  if (evento->type() == QEvent::FocusOut && oggetto == lista) {
    if (static_cast<QFocusEvent*>(evento)->reason() == Qt::PopupFocusReason || rifiutando_) return false;
    // A list only passed through keeps its value: reading back "100" shown for an automatic
    // maximum drop would fix it at 100 Pa for good.
    const auto ingresso = testoIngresso_.find(lista);
    const bool visitata = ingresso != testoIngresso_.end() && ingresso->second == lista->currentText();
    if (ingresso != testoIngresso_.end()) testoIngresso_.erase(ingresso);
    if (visitata) return false;
    uscita_ = static_cast<QFocusEvent*>(evento)->reason();
    if (lista == g_.ComboInitPres)
      ComboInitPres_LostFocus();
    else if (lista == g_.ComboFinalPres)
      ComboFinalPres_LostFocus();
    else
      ComboDpMax_LostFocus();
    uscita_ = Qt::OtherFocusReason;
  }
  return false;
}

}  // namespace varnex::ui
