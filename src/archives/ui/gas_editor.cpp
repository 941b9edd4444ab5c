#include "archives/ui/gas_editor.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "archives/ui/campi.h"
#include "model/globals.h"

namespace varnex::ui {

frmGas::frmGas(QWidget* parent) : Dialogo(parent) {
  setObjectName("frmGas");
  setWindowTitle("Gestione GAS");
  auto* layout = new QVBoxLayout(this);
  auto* rigaLista = new QHBoxLayout;
  rigaLista->addWidget(new QLabel("Tipo di gas :", this));
  Combo1 = new QComboBox(this);
  Combo1->setEditable(false);
  rigaLista->addWidget(Combo1, 1);
  layout->addLayout(rigaLista);

  auto* frame = new QGroupBox(QString::fromUtf8("Caratteristiche GAS in condizioni normali (15°C , 1013 mbar)"), this);
  auto* g = new QGridLayout(frame);
  auto nuovo = [this](const char* nome) {
    auto* c = new QLineEdit(this);
    c->setObjectName(nome);
    return c;
  };
  chkGasCombustibile = new QCheckBox("GAS non combustibile", frame);
  txtDensita = nuovo("txtDensita");
  txtMassa = nuovo("txtMassa");
  txtViscosita = nuovo("txtViscosita");
  txtPCinf = nuovo("txtPCinf");
  txtPCsup = nuovo("txtPCsup");
  txtWobbeInf = nuovo("txtWobbeInf");
  txtWobbeSup = nuovo("txtWobbeSup");
  txtFamiglia = nuovo("txtFamiglia");
  g->addWidget(chkGasCombustibile, 0, 0, 1, 3);
  g->addWidget(new QLabel("Densita' relativa :", frame), 1, 0);
  g->addWidget(txtDensita, 1, 1);
  g->addWidget(new QLabel("Massa Volumica :", frame), 2, 0);
  g->addWidget(txtMassa, 2, 1);
  g->addWidget(new QLabel("Kg/mc", frame), 2, 2);
  g->addWidget(new QLabel("Visc. cinematica:", frame), 3, 0);
  g->addWidget(txtViscosita, 3, 1);
  g->addWidget(new QLabel("mmq/s", frame), 3, 2);
  pnlCombustibile = new QFrame(frame);
  pnlCombustibile->setObjectName("pnlCombustibile");
  auto* p = new QGridLayout(pnlCombustibile);
  p->setContentsMargins(0, 0, 0, 0);
  const std::pair<const char*, QLineEdit*> righe[] = {{"Potere calorifico inf. :", txtPCinf},
                                                       {"Potere calorifico sup. :", txtPCsup},
                                                       {"Indice di Wobbe inf. :", txtWobbeInf},
                                                       {"Indice di Wobbe sup. :", txtWobbeSup}};
  int r = 0;
  for (const auto& [etichetta, campo] : righe) {
    p->addWidget(new QLabel(etichetta, pnlCombustibile), r, 0);
    p->addWidget(campo, r, 1);
    p->addWidget(new QLabel("MJ/mc", pnlCombustibile), r, 2);
    ++r;
  }
  p->addWidget(new QLabel("Famiglia :", pnlCombustibile), r, 0);
  p->addWidget(txtFamiglia, r, 1);
  g->addWidget(pnlCombustibile, 4, 0, 1, 3);
  layout->addWidget(frame);

  auto* pulsanti = new QHBoxLayout;
  cmdNew = new QPushButton("Nuovo", this);
  cmdCancel = new QPushButton("Cancella", this);
  cmdSaveIt = new QPushButton("Salva", this);
  cmdRecalculate = new QPushButton("Ricalcola", this);
  cmdExit = new QPushButton("Annulla", this);
  for (QPushButton* b : {cmdNew, cmdCancel, cmdSaveIt, cmdRecalculate, cmdExit}) {
    b->setAutoDefault(false);
    pulsanti->addWidget(b);
  }
  layout->addLayout(pulsanti);

  for (QLineEdit* c : {txtMassa, txtWobbeInf, txtWobbeSup, txtFamiglia}) CampoSoloLettura(c);
  FiltraCampo(txtDensita, true, [this] { txtViscosita->setFocus(); });
  FiltraCampo(txtViscosita, true, [this] { txtPCinf->setFocus(); });
  FiltraCampo(txtPCinf, true, [this] { txtPCsup->setFocus(); });
  FiltraCampo(txtPCsup, true, [this] { cmdSaveIt->setFocus(); });
  for (QLineEdit* c : {txtDensita, txtViscosita, txtPCinf, txtPCsup})
    connect(c, &QLineEdit::textChanged, this, [this] { editor.GasModificato = true; });
  connect(chkGasCombustibile, &QCheckBox::toggled, this, [this] { chkGasCombustibile_Click(); });
  connect(Combo1, &QComboBox::activated, this, [this](int) { Combo1_Click(); });
  connect(cmdNew, &QPushButton::clicked, this, [this] { cmdNew_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  connect(cmdSaveIt, &QPushButton::clicked, this, [this] { cmdSaveIt_Click(); });
  connect(cmdRecalculate, &QPushButton::clicked, this, [this] { cmdRecalculate_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  Form_Load();
}

void frmGas::Form_Load() {
  editor.GasModificato = false;
  CaricaListaGas();
  SelezionaGasDefault();
}

void frmGas::CaricaListaGas(const std::optional<std::string>& nome) {
  {
    const QSignalBlocker blocco(Combo1);
    Combo1->clear();
    for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i)
      Combo1->addItem(QS(ArchivioGas[static_cast<size_t>(i)].Nome));
  }
  if (Combo1->count() == 0) return;
  Combo1->setCurrentIndex(0);
  Combo1_Click();
  if (nome) {
    std::vector<std::string> voci;
    for (int v = 0; v < Combo1->count(); ++v) voci.push_back(SS(Combo1->itemText(v)));
    const int i = IndiceNomeGas(voci, *nome);
    if (i >= 0) {
      Combo1->setCurrentIndex(i);
      Combo1_Click();
    }
  }
}

void frmGas::SelezionaGasDefault() {
  const int16_t i = EditorGas::IndiceDefault();
  if (i < 1) return;
  Combo1->setCurrentIndex(i - 1);
  Combo1_Click();
}

void frmGas::MostraDatiGas(const CampiGas& c) {
  chkGasCombustibile->setChecked(c.NonCombustibile);
  chkGasCombustibile_Click();
  txtDensita->setText(QS(c.Densita));
  txtMassa->setText(QS(c.Massa));
  txtViscosita->setText(QS(c.Viscosita));
  txtPCinf->setText(QS(c.PCinf));
  txtPCsup->setText(QS(c.PCsup));
  txtWobbeInf->setText(QS(c.WobbeInf));
  txtWobbeSup->setText(QS(c.WobbeSup));
  txtFamiglia->setText(QS(c.Famiglia));
  editor.GasModificato = false;
}

CampiGas frmGas::Campi() const {
  CampiGas c;
  c.Densita = SS(txtDensita->text());
  c.Massa = SS(txtMassa->text());
  c.Viscosita = SS(txtViscosita->text());
  c.PCinf = SS(txtPCinf->text());
  c.PCsup = SS(txtPCsup->text());
  c.WobbeInf = SS(txtWobbeInf->text());
  c.WobbeSup = SS(txtWobbeSup->text());
  c.Famiglia = SS(txtFamiglia->text());
  c.NonCombustibile = chkGasCombustibile->isChecked();
  return c;
}

void frmGas::Combo1_Click() {
  // Cancel keeps the newly picked name in the list and the old gas in the boxes.
  if (!editor.ConfermaCambio(Campi(), static_cast<int16_t>(Combo1->currentIndex() + 1))) return;
  if (editor.ListaDaRicaricare) {
    // The unsaved new gas left the archive: the list follows, on the gas picked.
    editor.ListaDaRicaricare = false;
    CaricaListaGas(SS(Combo1->currentText()));
    return;
  }
  MostraDatiGas(editor.Seleziona(SS(Combo1->currentText())));
}

void frmGas::chkGasCombustibile_Click() { pnlCombustibile->setVisible(!chkGasCombustibile->isChecked()); }

void frmGas::cmdNew_Click() {
  const std::string nome = InputBox("Nome del gas", {}, {}, this);
  if (editor.Nuovo(nome, Campi()) > 0) CaricaListaGas(nome);
}

void frmGas::cmdCancel_Click() {
  if (editor.Cancella()) CaricaListaGas();
}

void frmGas::cmdSaveIt_Click() {
  // Saved: the boxes show what the archive now holds, derived values included.
  if (editor.Salva(Campi()) && editor.IndiceGas > 0)
    MostraDatiGas(EditorGas::MostraDatiGas(ArchivioGas[static_cast<size_t>(editor.IndiceGas)]));
}

void frmGas::cmdRecalculate_Click() {
  // Only a look at the derived values: whatever was typed stays pending.
  const bool modificato = editor.GasModificato;
  MostraDatiGas(editor.Ricalcola(Campi()));
  editor.GasModificato = modificato;
}

void frmGas::cmdExit_Click() {
  const std::optional<std::string> voce = voceSelettore ? voceSelettore() : std::nullopt;
  const bool eraModificato = editor.GasModificato;
  const UscitaGas esito = editor.Esci(Campi(), SS(Combo1->currentText()), voce);
  if (esito == UscitaGas::RestaAperta) {
    // A completed "Ricalcola" shows its values even when the editor stays.
    if (eraModificato && !editor.GasModificato && editor.IndiceGas > 0)
      MostraDatiGas(EditorGas::MostraDatiGas(ArchivioGas[static_cast<size_t>(editor.IndiceGas)]));
    return;
  }
  chiudendo_ = true;
  done(QDialog::Accepted);
  if (esito == UscitaGas::Chiusa && dopoUscita) dopoUscita(true);
}

void frmGas::closeEvent(QCloseEvent* evento) {
  // The close box leaves the way "Annulla" does.
  if (chiudendo_) {
    evento->accept();
    return;
  }
  evento->ignore();
  cmdExit_Click();
}

void frmGas::keyPressEvent(QKeyEvent* evento) {
  if (!TastoEditorArchivio(evento, [this] { cmdExit_Click(); })) Dialogo::keyPressEvent(evento);
}

void MostraEditorGas(QWidget* parent, std::function<std::optional<std::string>()> voceSelettore,
                     std::function<void(bool)> dopoUscita) {
  frmGas editor(parent);
  editor.voceSelettore = std::move(voceSelettore);
  editor.dopoUscita = std::move(dopoUscita);
  MostraModale(editor);
  // However the window went (also closed without "Annulla", as the window system may do), the
  // project's gas saved in it is what the project calculates with; after "Annulla" this finds
  // nothing left to do.
  editor.editor.SeguiGasProgetto();
}

}  // namespace varnex::ui
