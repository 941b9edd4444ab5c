#include "archives/ui/copia_dialoghi.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "model/files.h"
#include "model/interaction.h"
#include "app/ui/main_window.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

constexpr const char* kFiltroArchivi = "File Archivio (*.CFG; *.MAT)|*.CFG;*.MAT";
constexpr const char* kFiltroProgetti = "Reti Gas (*.RTG)|*.RTG";
constexpr const char* kMsgOrigineVuota = "Inserire un valore per la directory di provenienza.";

std::string CartellaProgrammaTesto() { return CartellaProgramma() + "/"; }

// Fixed border, close box only.
void Finestra(QDialog* d, const char* nome, const char* titolo) {
  d->setObjectName(nome);
  d->setWindowTitle(titolo);
  d->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                    Qt::WindowCloseButtonHint);
}

// Centred over the program's window, as every window the program centres.
void Centra(QDialog* d) {
  d->adjustSize();
  CentraSulloSchermo(*d);
}

QPushButton* Pulsante(QWidget* padre, const char* testo) {
  auto* b = new QPushButton(QString::fromUtf8(testo), padre);
  b->setAutoDefault(false);
  return b;
}

// A labelled folder field with its picker beside it.
void RigaCartella(QDialog* d, QVBoxLayout* layout, const char* etichetta, QLineEdit* campo, QPushButton* picker) {
  layout->addWidget(new QLabel(etichetta, d));
  auto* riga = new QHBoxLayout;
  campo->setMinimumWidth(360);
  riga->addWidget(campo, 1);
  riga->addWidget(picker);
  layout->addLayout(riga);
}

// The dialog's action and "Annulla", at the bottom right.
void RigaPulsanti(QDialog* d, QVBoxLayout* layout, QPushButton*& azione, const char* testo, QPushButton*& annulla) {
  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch(1);
  azione = Pulsante(d, testo);
  annulla = Pulsante(d, "Annulla");
  pulsanti->addWidget(azione);
  pulsanti->addWidget(annulla);
  layout->addLayout(pulsanti);
}

// The folder of a file picked in the open dialog; the field stays as it is when cancelled.
void ScegliCartella(QLineEdit* campo, const char* titolo, const char* filtro) {
  const std::optional<std::string> scelto = FileDialoghi().ApriFile(titolo, filtro, CartellaProgrammaTesto());
  if (scelto) campo->setText(QS(GetCartella(*scelto)));
}

}  // namespace

// ---- frmCopyArchieves ----------------------------------------------------------------------

frmCopyArchieves::frmCopyArchieves(QWidget* parent) : Dialogo(parent) {
  Finestra(this, "frmCopyArchieves", "Copia Archivi");
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  txtCopyFrom = new QLineEdit(this);
  txtCopyTo = new QLineEdit(this);
  cmdOpenCopyFromDlg = Pulsante(this, "...");
  cmdOpenCopyToDlg = Pulsante(this, "...");
  RigaCartella(this, layout, "Da:", txtCopyFrom, cmdOpenCopyFromDlg);
  RigaCartella(this, layout, "A:", txtCopyTo, cmdOpenCopyToDlg);
  RigaPulsanti(this, layout, cmdCopy, "Copia", cmdCancel);
  connect(cmdOpenCopyFromDlg, &QPushButton::clicked, this, [this] { cmdOpenCopyFromDlg_Click(); });
  connect(cmdOpenCopyToDlg, &QPushButton::clicked, this, [this] { cmdOpenCopyToDlg_Click(); });
  connect(cmdCopy, &QPushButton::clicked, this, [this] { cmdCopy_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  txtCopyTo->setText(QS(CartellaProgrammaTesto()));
  Centra(this);
}

void frmCopyArchieves::cmdOpenCopyFromDlg_Click() { ScegliCartella(txtCopyFrom, "Copia archivi da:", kFiltroArchivi); }

void frmCopyArchieves::cmdOpenCopyToDlg_Click() { ScegliCartella(txtCopyTo, "Copia archivi in:", kFiltroArchivi); }

void frmCopyArchieves::cmdCopy_Click() {
  // Blanks count as a value: only a field without any character is empty.
  const bool daVuoto = txtCopyFrom->text().isEmpty();
  const bool aVuoto = txtCopyTo->text().isEmpty();
  if (daVuoto && aVuoto) {
    MsgBox("Inserire un valore sia per la directory\r\ndi provenienza che per quella di destinazione.");
  } else if (daVuoto) {
    MsgBox(kMsgOrigineVuota);
  } else if (aVuoto) {
    MsgBox("Inserire un valore per la directory di destinazione.");
  } else {
    done(QDialog::Accepted);
  }
}

void frmCopyArchieves::cmdCancel_Click() { done(QDialog::Rejected); }

// ---- frmCopyProjectFiles -------------------------------------------------------------------

frmCopyProjectFiles::frmCopyProjectFiles(QWidget* parent) : Dialogo(parent) {
  Finestra(this, "frmCopyProjectFiles", "Copia File di Progetto");
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  txtCopyFrom = new QLineEdit(this);
  cmdOpenCopyFromDlg = Pulsante(this, "...");
  RigaCartella(this, layout, "Da:", txtCopyFrom, cmdOpenCopyFromDlg);
  RigaPulsanti(this, layout, cmdCopy, "Copia", cmdCancel);
  connect(cmdOpenCopyFromDlg, &QPushButton::clicked, this, [this] { cmdOpenCopyFromDlg_Click(); });
  connect(cmdCopy, &QPushButton::clicked, this, [this] { cmdCopy_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  Centra(this);
}

void frmCopyProjectFiles::cmdOpenCopyFromDlg_Click() {
  ScegliCartella(txtCopyFrom, "Copia archivi da:", kFiltroProgetti);
}

void frmCopyProjectFiles::cmdCopy_Click() {
  if (txtCopyFrom->text().isEmpty()) {
    MsgBox(kMsgOrigineVuota);
    return;
  }
  done(QDialog::Accepted);
}

void frmCopyProjectFiles::cmdCancel_Click() { done(QDialog::Rejected); }

// ---- frmCopyArchievesMessage ---------------------------------------------------------------

frmCopyArchievesMessage::frmCopyArchievesMessage(QWidget* parent) : Dialogo(parent) {
  Finestra(this, "frmCopyArchievesMessage", "Attenzione");
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* alto = new QHBoxLayout;
  auto* icona = new QLabel(this);
  icona->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
  alto->addWidget(icona, 0, Qt::AlignTop);
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setMinimumWidth(380);
  alto->addWidget(Label1, 1);
  layout->addLayout(alto);
  auto* pulsanti = new QHBoxLayout;
  cmdOK = Pulsante(this, "Si");
  cmdAllOK = Pulsante(this, "Si Tutti");
  cmdRename = Pulsante(this, "Rinomina");
  cmdNo = Pulsante(this, "No");
  cmdCancel = Pulsante(this, "Annulla");
  const std::pair<QPushButton*, int16_t> codici[] = {
      {cmdOK, CopiaSi}, {cmdAllOK, CopiaSiTutti}, {cmdRename, CopiaRinomina}, {cmdNo, CopiaNo}, {cmdCancel, CopiaAnnulla}};
  for (const auto& [b, codice] : codici) {
    pulsanti->addWidget(b);
    connect(b, &QPushButton::clicked, this, [this, c = codice] { Rispondi(c); });
  }
  layout->addLayout(pulsanti);
}

void frmCopyArchievesMessage::Prepara(const std::string& testo, bool rinomina) {
  // The question's line breaks are the system's CR LF; the label wants plain line feeds.
  Label1->setText(QS(testo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  cmdRename->setEnabled(rinomina);
  Centra(this);
}

void frmCopyArchievesMessage::Rispondi(int16_t codice) {
  operationToExecute = codice;
  done(QDialog::Accepted);
}

// ---- frmRenameFile -------------------------------------------------------------------------

frmRenameFile::frmRenameFile(QWidget* parent) : Dialogo(parent) {
  Finestra(this, "frmRenameFile", "Rinomina File");
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* riga = new QHBoxLayout;
  riga->addWidget(new QLabel("Nome del file", this));
  txtFileName = new QLineEdit(this);
  txtFileName->setObjectName("txtFileName");
  txtFileName->setMinimumWidth(240);
  riga->addWidget(txtFileName, 1);
  layout->addLayout(riga);
  RigaPulsanti(this, layout, cmdRename, "Rinomina", cmdCancel);
  connect(cmdRename, &QPushButton::clicked, this, [this] { cmdRename_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  Centra(this);
}

void frmRenameFile::cmdRename_Click() {
  const std::string nome = SS(txtFileName->text());
  if (nome.empty()) {
    MsgBox("E' necessario inserire un nome per il file.");
    return;
  }
  // The copy goes into the chosen folder and nowhere else.
  if (!NomeFileSicuro(nome)) {
    MsgBox(MsgNomeNonValido);
    return;
  }
  filename = nome;
  done(QDialog::Accepted);
}

void frmRenameFile::cmdCancel_Click() {
  filename.clear();
  done(QDialog::Rejected);
}

// ---- The questions of a copy run -----------------------------------------------------------

int16_t DomandeCopiaQt::ChiediSovrascrittura(const std::string& testo, bool rinomina) {
  frmCopyArchievesMessage finestra(ProprietarioDialoghi());
  finestra.Prepara(testo, rinomina);
  MostraModale(finestra);
  return finestra.operationToExecute;
}

std::string DomandeCopiaQt::ChiediNuovoNome(const std::string& nome) {
  frmRenameFile finestra(ProprietarioDialoghi());
  finestra.txtFileName->setText(QS(nome));
  MostraModale(finestra);
  return finestra.filename;
}

void MostraCopiaArchivi(QWidget* parent) {
  std::string origine, destinazione;
  {
    frmCopyArchieves finestra(parent);
    if (MostraModale(finestra) != QDialog::Accepted) return;
    origine = SS(finestra.txtCopyFrom->text());
    destinazione = SS(finestra.txtCopyTo->text());
  }
  frmMainForm* principale = FinestraPrincipaleCaricata();
  std::optional<std::string> voce;
  if (principale && principale->ComboGas->currentIndex() >= 0) voce = SS(principale->ComboGas->currentText());
  DomandeCopiaQt domande;
  CopiaArchivi(origine, destinazione, domande);
  // The gas list follows an archive that may have been loaded again.
  if (principale) principale->InitInitialGasCombo(voce);
}

void MostraCopiaProgetti(QWidget* parent) {
  std::string origine;
  {
    frmCopyProjectFiles finestra(parent);
    if (MostraModale(finestra) != QDialog::Accepted) return;
    origine = SS(finestra.txtCopyFrom->text());
  }
  DomandeCopiaQt domande;
  CopiaProgetti(origine, domande);
}

}  // namespace varnex::ui
