#include "report/print/ui/frm_stampa.h"

#include <QCloseEvent>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QVBoxLayout>
#include <optional>

#include "model/files.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "report/files/stampa_file.h"
#include "report/print/pagina.h"
#include "report/print/sezioni.h"
#include "report/print/stampa_report.h"
#include "report/print/ui/frm_print_wait.h"
#include "report/print/ui/stampante.h"
#include "report/print/ui/stampante_qt.h"
#include "shell/ui/services.h"
#include "shell/ui/units.h"

namespace varnex::ui {

std::function<void()> PrintHTMLReportHook;
std::function<void()> PrintTXTReportHook;
std::function<void(QWidget*)> MostraSelezioneStampante;
std::function<void(QWidget*)> MostraProporzioniPagina;

namespace {

QPointer<frmStampa> dialogoAperto;

const char* const MessaggioNessunaStampante = "ATTENZIONE!!!\r\nNon è stata installata alcuna stampante sul sistema.";

void NessunaStampante() { MsgBox(MessaggioNessunaStampante, Bottoni::OK, Icona::Esclamazione); }

// A run with nothing to print would write nothing (or an empty file) and still end in success: no
// section ticked, or only the tightness test of a pressurised network, which has none. Said before
// any file is asked for, by both commands.
bool NessunaSezioneDaStampare() {
  if (NumSezioniStampa < 1) {
    MsgBox("Nessuna opzione selezionata.Selezionarne almeno una.", Bottoni::OK);
    return true;
  }
  EscludiSezioniSenzaOggetto();
  if (NumSezioniStampa >= 1) return false;
  MsgBox("La verifica di tenuta non è prevista per una rete in pressione.\r\nSelezionare almeno un'altra sezione.",
         Bottoni::OK, Icona::Esclamazione);
  return true;
}

// The windows of one report-file run, as installed, watched for the end of a written report: the
// writers press the dialog's "Annulla" only after the file is on disk.
class OsservaRunFile final : public IFinestreStampaFile {
 public:
  OsservaRunFile() : base_(FinestreStampaFile()) { ImpostaFinestreStampaFile(this); }
  ~OsservaRunFile() override { ImpostaFinestreStampaFile(&base_); }
  OsservaRunFile(const OsservaRunFile&) = delete;
  OsservaRunFile& operator=(const OsservaRunFile&) = delete;

  std::optional<std::string> SalvaFile(const std::string& titolo, const std::string& filtro,
                                       const std::string& cartella, const std::string& nome) override {
    return base_.SalvaFile(titolo, filtro, cartella, nome);
  }
  std::optional<PixelImmagine> CaricaLogo(const std::string& percorso) override { return base_.CaricaLogo(percorso); }
  void TogliLogo() override { base_.TogliLogo(); }
  void MostraAttesa() override { base_.MostraAttesa(); }
  void PrintMsg(const std::string& testo) override { base_.PrintMsg(testo); }
  void UpdateBar(int16_t p, int16_t t) override { base_.UpdateBar(p, t); }
  void ChiudiAttesa() override { base_.ChiudiAttesa(); }
  void DoEvents() override { base_.DoEvents(); }
  MisuraSchema SaveSchema(const std::string& percorso) override { return base_.SaveSchema(percorso); }
  MisuraSchema SalvaPartiSchema(const DivisioneFiguraSchema& dividi) override { return base_.SalvaPartiSchema(dividi); }
  void ChiudiDialogoStampa() override {
    scritto = true;
    base_.ChiudiDialogoStampa();
  }

  bool scritto = false;

 private:
  IFinestreStampaFile& base_;
};

// One report of the chosen output; true when it ended well.
bool EseguiCopia(bool suFile, const QString& tipo, int16_t preview) {
  if (!suFile) {
    ImpostaStampanteReport(&StampanteReportQt());
    return PrintReport(preview);
  }
  const std::function<void()>* run = nullptr;
  if (tipo == QStringLiteral("HTML"))
    run = &PrintHTMLReportHook;
  else if (tipo == QStringLiteral("TXT"))
    run = &PrintTXTReportHook;
  if (run == nullptr || !*run) return false;
  OsservaRunFile osserva;
  (*run)();
  return osserva.scritto;
}

}  // namespace

QPrinter& PrinterCorrente() {
  static QPrinter& printer = []() -> QPrinter& {
    static QPrinter p(QPrinter::HighResolution);
    // Without a printer of the system the report goes to a PDF file, on A4 paper.
    if (!StampanteDiSistema()) {
      ImpostaStampantePdf(p);
      p.setPageSize(QPageSize(QPageSize::A4));
    }
    return p;
  }();
  return printer;
}

StampanteQt& StampanteReportQt() {
  static StampanteQt stampante(PrinterCorrente());
  return stampante;
}

frmStampa* StampaAperta() { return dialogoAperto.data(); }

frmStampa::frmStampa(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmStampa"));
  setWindowTitle(QStringLiteral("Stampa"));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  setMouseTracking(true);
  // One print dialog at a time: the report runs reach it through StampaAperta().
  dialogoAperto = this;

  auto* principale = new QVBoxLayout(this);
  auto* riga = new QHBoxLayout();
  auto* SSFrame1 = new QGroupBox(QStringLiteral("Opzioni"), this);
  SSFrame1->setObjectName(QStringLiteral("SSFrame1"));
  auto* griglia = new QGridLayout(SSFrame1);
  auto box = [&](const char* nome, const char* testo) {
    auto* b = new QCheckBox(QString::fromUtf8(testo), SSFrame1);
    b->setObjectName(QString::fromUtf8(nome));
    return b;
  };
  chkCopertina = box("chkCopertina", "Frontespizio");
  chkDiagrammaRete = box("chkDiagrammaRete", "Schema grafico della rete");
  ChkTronchi = box("ChkTronchi", "Dati tronchi");
  chkPDCLocalizzate = box("chkPDCLocalizzate", "PDC localizzate");
  ChkVerifica = box("ChkVerifica", "Verifica percorso piu' sfavorito");
  ChkUtenze = box("ChkUtenze", "Riepilogo Utenze");
  ChkComputo = box("ChkComputo", "Computo tubazione");
  ChkTenutaImpianto = box("ChkTenutaImpianto", "Verifica tenuta impianto");
  AdaptSchemaToPage = box("AdaptSchemaToPage", "Adatta lo schema alla pagina");
  const std::array<QCheckBox*, 8> mostrati = {chkCopertina, chkDiagrammaRete, ChkTronchi, chkPDCLocalizzate,
                                              ChkVerifica,  ChkUtenze,        ChkComputo, ChkTenutaImpianto};
  for (int i = 0; i < 8; ++i) griglia->addWidget(mostrati[static_cast<size_t>(i)], i, 0);
  griglia->addWidget(AdaptSchemaToPage, 1, 1);
  Label1 = new QLabel(QStringLiteral("Data:"), SSFrame1);
  Label1->setObjectName(QStringLiteral("Label1"));
  txtDate = new QLineEdit(SSFrame1);
  txtDate->setObjectName(QStringLiteral("txtDate"));
  griglia->addWidget(Label1, 8, 0);
  griglia->addWidget(txtDate, 8, 1);
  chkPrintFile = box("chkPrintFile", "Stampa su file: ");
  comboFileType = new QComboBox(SSFrame1);
  comboFileType->setObjectName(QStringLiteral("comboFileType"));
  comboFileType->setEditable(true);
  comboFileType->setToolTip(QStringLiteral("tipo di file da generare"));
  griglia->addWidget(chkPrintFile, 9, 0);
  griglia->addWidget(comboFileType, 9, 1);
  riga->addWidget(SSFrame1);

  auto* colonna = new QVBoxLayout();
  const char* suggerimenti[] = {"Stampa completa", "Stampa relazione", "Stampa riepilogo",
                                "Stampa personalizzata (click destro memorizza)"};
  for (int i = 0; i < 4; ++i) {
    auto* b = new QToolButton(this);
    b->setObjectName(QStringLiteral("SSCommand1_%1").arg(i));
    b->setToolTip(QString::fromUtf8(suggerimenti[i]));
    b->setText(QString::number(i + 1));
    b->installEventFilter(this);
    connect(b, &QToolButton::clicked, this, [this, i]() { SSCommand1_Click(i); });
    SSCommand1[static_cast<size_t>(i)] = b;
    colonna->addWidget(b);
  }
  auto* Frame1 = new QGroupBox(QStringLiteral("Copie"), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  auto* copie = new QVBoxLayout(Frame1);
  txtNumCopies = new QLineEdit(QStringLiteral("1"), Frame1);
  txtNumCopies->setObjectName(QStringLiteral("txtNumCopies"));
  copie->addWidget(txtNumCopies);
  colonna->addWidget(Frame1);
  colonna->addStretch();
  riga->addLayout(colonna);
  principale->addLayout(riga);

  auto* rigaStampante = new QHBoxLayout();
  Label2 = new QLabel(QStringLiteral("Stampante selezionata:"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  PrinterSelectedTxt = new QLineEdit(this);
  PrinterSelectedTxt->setObjectName(QStringLiteral("PrinterSelectedTxt"));
  PrinterSelectedTxt->setReadOnly(true);
  rigaStampante->addWidget(Label2);
  rigaStampante->addWidget(PrinterSelectedTxt, 1);
  principale->addLayout(rigaStampante);

  auto* bottoni = new QHBoxLayout();
  auto pulsante = [&](const char* nome, const char* testo, const char* suggerimento) {
    auto* b = new QPushButton(QString::fromUtf8(testo), this);
    b->setObjectName(QString::fromUtf8(nome));
    b->setToolTip(QString::fromUtf8(suggerimento));
    b->setAutoDefault(false);
    bottoni->addWidget(b);
    return b;
  };
  cmdPage = pulsante("cmdPage", "Pagina", "Impostazioni delle dimensioni pagina");
  cmdPrinter = pulsante("cmdPrinter", "Stampante", "Selezione stampante");
  cmdPrint = pulsante("cmdPrint", "Stampa rapida", "Esegui stampa");
  cmdPrintPreview = pulsante("cmdPrintPreview", "Stampa avanzata", "Esegui stampa");
  cmdCancel = pulsante("cmdCancel", "Annulla", "Annulla operazioni di stampa");
  principale->addLayout(bottoni);
  pnlHelp = new QLabel(this);
  pnlHelp->setObjectName(QStringLiteral("pnlHelp"));
  principale->addWidget(pnlHelp);
  picLogo = new QLabel(this);
  picLogo->setObjectName(QStringLiteral("picLogo"));
  picLogo->setFixedSize(DimensioneTwips(LarghezzaBoxLogo, AltezzaBoxLogo));
  picLogo->hide();

  connect(AdaptSchemaToPage, &QCheckBox::clicked, this, [this]() { AdaptSchemaToPage_Click(); });
  connect(chkPrintFile, &QCheckBox::clicked, this, [this]() { chkPrintFile_Click(); });
  connect(comboFileType, &QComboBox::editTextChanged, this, [this](const QString& t) {
    // Only the user's typing counts as an edit; choosing from the list does not.
    if (comboFileType->lineEdit() && comboFileType->lineEdit()->isModified()) comboFileType_Change(t);
  });
  connect(cmdPrinter, &QPushButton::clicked, this, [this]() { cmdPrinter_Click(); });
  connect(cmdPage, &QPushButton::clicked, this, [this]() { cmdPage_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this]() { cmdCancel_Click(); });
  connect(cmdPrint, &QPushButton::clicked, this, [this]() { cmdPrint_Click(); });
  connect(cmdPrintPreview, &QPushButton::clicked, this, [this]() { cmdPrintPreview_Click(); });

  // Form_Load.
  txtDate->setText(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
  AggiornaStampanteSelezionata();
  comboFileType->clear();
  comboFileType->addItem(QStringLiteral("HTML"));
  comboFileType->addItem(QStringLiteral("TXT"));
  comboFileType->setEnabled(false);
  InstallaAttesaStampaQt();
}

frmStampa::~frmStampa() = default;

void frmStampa::AggiornaStampanteSelezionata() {
  if (!IsStampanteInstallata()) return;
  QPrinter& p = PrinterCorrente();
  const std::string nome = StampanteReportQt().DeviceName();
  const int16_t formato = static_cast<int16_t>(p.pageLayout().pageSize().windowsId());
  PrinterSelectedTxt->setText(QS(nome + "   -   " + NomeFormatoCarta(formato)));
}

std::array<QCheckBox*, 8> frmStampa::BoxInOrdineLettere() const {
  return {chkCopertina, ChkTronchi, chkDiagrammaRete, chkPDCLocalizzate,
          ChkVerifica,  ChkUtenze,  ChkComputo,       ChkTenutaImpianto};
}

SceltaSezioni frmStampa::Scelta() const {
  SceltaSezioni s{};
  const auto box = BoxInOrdineLettere();
  for (size_t i = 0; i < box.size(); ++i) s[i] = box[i]->isChecked();
  return s;
}

void frmStampa::ImpostaScelta(const SceltaSezioni& scelta) {
  const auto box = BoxInOrdineLettere();
  for (size_t i = 0; i < box.size(); ++i) box[i]->setChecked(scelta[i]);
}

void frmStampa::StoreSelected() { varnex::StoreSelected(Scelta()); }

void frmStampa::GetOptionSetup() { ImpostaScelta(LeggiSetStampe()); }

void frmStampa::SetOptionSetup() {
  if (MsgBox("Memorizzare le nuove opzioni di stampa?", Bottoni::SiNo, Icona::Domanda) != Risposta::Si) return;
  SalvaSetStampe(Scelta());
}

void frmStampa::SSCommand1_Click(int index) {
  if (index >= 0 && index <= 2) ImpostaScelta(PresetSezioni(static_cast<int16_t>(index)));
}

void frmStampa::SSCommand1_MouseDown(int index, int button) {
  if (index != 3) return;
  if (button == 1)
    GetOptionSetup();
  else if (button == 2)
    SetOptionSetup();
}

bool frmStampa::eventFilter(QObject* oggetto, QEvent* evento) {
  if (evento->type() == QEvent::MouseButtonPress && oggetto == SSCommand1[3]) {
    auto* m = static_cast<QMouseEvent*>(evento);
    SSCommand1_MouseDown(3, m->button() == Qt::LeftButton ? 1 : m->button() == Qt::RightButton ? 2 : 0);
  }
  return QDialog::eventFilter(oggetto, evento);
}

void frmStampa::AdaptSchemaToPage_Click() { AdattaSchemaPagina = AdaptSchemaToPage->isChecked() ? -1 : 0; }

void frmStampa::chkPrintFile_Click() {
  const bool file = chkPrintFile->isChecked();
  cmdPrinter->setEnabled(!file);
  cmdPage->setEnabled(!file);
  Label2->setEnabled(!file);
  comboFileType->setEnabled(file);
  if (file) comboFileType->setCurrentIndex(0);
}

void frmStampa::comboFileType_Change(const QString& testo) {
  if (testo == QStringLiteral("HTML"))
    chkDiagrammaRete->setEnabled(true);
  else if (testo == QStringLiteral("TXT"))
    chkDiagrammaRete->setEnabled(false);
}

void frmStampa::cmdPrinter_Click() {
  if (!IsStampanteInstallata()) {
    NessunaStampante();
    return;
  }
  if (MostraSelezioneStampante) MostraSelezioneStampante(this);
}

void frmStampa::cmdPage_Click() {
  if (MostraProporzioniPagina) MostraProporzioniPagina(this);
}

void frmStampa::Chiudi() {
  hide();
  close();
}

void frmStampa::cmdCancel_Click() {
  // While a command runs its reports the dialog only hides: the command still reads its choices
  // and unloads it when it ends.
  if (inEsecuzione_) {
    hide();
    return;
  }
  Chiudi();
}

void frmStampa::showEvent(QShowEvent* evento) {
  if (!ritorno_) ritorno_.emplace();
  QDialog::showEvent(evento);
}

void frmStampa::hideEvent(QHideEvent* evento) {
  QDialog::hideEvent(evento);
  ritorno_.reset();
}

void frmStampa::closeEvent(QCloseEvent* evento) {
  if (inEsecuzione_) {
    evento->ignore();
    hide();
    return;
  }
  QDialog::closeEvent(evento);
}

void frmStampa::ControllaLogo() {
  // The picture itself is measured: the holder has a fixed size and holds no logo yet.
  const QSize logo = QImageReader(QS(FileProgramma("logo.bmp"))).size();
  if (logo.isValid() && !LogoAmmesso(logo.width(), logo.height())) {
    MsgBox(
        "L'immagine utilizzata come logo ha dimensioni troppo grandi.\r\nLe dimensioni massime consentite sono "
        "184 X 41 pixel.\r\nIl logo non verrà stampato.",
        Bottoni::OK);
    picLogo->setProperty("Tag", QStringLiteral("NO"));
  } else {
    picLogo->setProperty("Tag", QStringLiteral("OK"));
  }
}

void frmStampa::cmdPrint_Click() {
  // The dialog stays usable while a run yields to pending events: a second command is ignored.
  if (inEsecuzione_) return;
  const int16_t copie = StrToInteger(SS(txtNumCopies->text()));
  if (!IsStampanteInstallata() && !chkPrintFile->isChecked()) {
    NessunaStampante();
    return;
  }
  StoreSelected();
  if (copie < 1) {
    MsgBox("Attenzione: Il numero di stampe impostate è minore di 1.", Bottoni::OK);
    return;
  }
  if (NessunaSezioneDaStampare()) return;
  // Only the printed report leaves an oversized logo out; the report files show it.
  if (!chkPrintFile->isChecked()) ControllaLogo();
  if (MsgBox("Confermi l'esecuzione di " + std::to_string(copie) + " stampe?", Bottoni::SiNo, Icona::Domanda) !=
      Risposta::Si)
    return;
  StoreSelected();
  DataStampa = SS(txtDate->text());
  // The choices are read once: a file writer that closes the dialog must not change later copies.
  const bool suFile = chkPrintFile->isChecked();
  const QString tipo = comboFileType->currentText();
  const bool adatta = AdaptSchemaToPage->isChecked();
  std::optional<FilePdfDelComando> pdf;
  if (!suFile) {
    pdf.emplace(copie);
    if (!pdf->Pronto()) return;
  }
  // The runs yield to pending events; the dialog may be taken away with the main window meanwhile.
  QPointer<frmStampa> questo(this);
  bool tutte = true;
  inEsecuzione_ = true;
  for (int16_t i = 1; i <= copie; ++i) {
    AdattaSchemaPagina = adatta ? -1 : 0;
    if (!EseguiCopia(suFile, tipo, 0)) tutte = false;
  }
  if (questo) inEsecuzione_ = false;
  // A copy that failed or was cancelled has told the user already: no success after it. A file run
  // has ended with its own.
  if (tutte && !suFile) MsgBox("Stampa completata" + (pdf ? pdf->ElencoFileScritti() : std::string()), Bottoni::OK);
  if (questo) Chiudi();
}

void frmStampa::cmdPrintPreview_Click() {
  if (inEsecuzione_) return;
  AdaptSchemaToPage->setChecked(false);
  AdaptSchemaToPage_Click();
  QPointer<frmStampa> questo(this);
  if (!IsStampanteInstallata() && !chkPrintFile->isChecked()) {
    NessunaStampante();
  } else if (MsgBox("Confermi stampa?", Bottoni::SiNo, Icona::Domanda) == Risposta::Si) {
    StoreSelected();
    if (NessunaSezioneDaStampare()) return;
    DataStampa = SS(txtDate->text());
    // With file output the chosen file is written once; the preview only concerns the printer.
    const bool suFile = chkPrintFile->isChecked();
    const QString tipo = comboFileType->currentText();
    std::optional<FilePdfDelComando> pdf;
    if (!suFile) pdf.emplace();
    inEsecuzione_ = true;
    const bool riuscita = (!pdf || pdf->Pronto()) && EseguiCopia(suFile, tipo, -1);
    if (questo) inEsecuzione_ = false;
    // A printer says nothing more; files written tell where they are.
    if (riuscita && pdf && !pdf->ElencoFileScritti().empty())
      MsgBox("Stampa completata" + pdf->ElencoFileScritti(), Bottoni::OK);
  }
  if (questo) Chiudi();
}

void frmStampa::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Escape) {
    cmdCancel_Click();
    return;
  }
  QDialog::keyPressEvent(evento);
}

void frmStampa::mouseMoveEvent(QMouseEvent* evento) {
  pnlHelp->clear();
  QDialog::mouseMoveEvent(evento);
}

void MostraStampa(QWidget* parent) {
  if (!dialogoAperto) dialogoAperto = new frmStampa(parent);
  dialogoAperto->show();
  dialogoAperto->raise();
  dialogoAperto->activateWindow();
}

}  // namespace varnex::ui
