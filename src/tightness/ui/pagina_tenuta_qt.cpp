#include "tightness/ui/pagina_tenuta_qt.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPalette>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/ui/gasgrid.h"
#include "shell/ui/services.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

using namespace campo_tenuta;
namespace cr = cornice_tenuta;

constexpr int kLarghezzaPagina = 11535;
constexpr int kAltezzaPagina = 17900;

struct DescrizioneCornice {
  const char* nome;
  const char* titolo;
};
constexpr std::array<DescrizioneCornice, cr::Numero> kCornici = {{
    {"FrameTenutaImpiantoDescrizioneProva", "Descrizione della prova"},
    {"FrameTenutaImpiantoImpresa", "Dati dell'impresa e/o del tecnico che ha effettuato la verifica "},
    {"FrameTenutaImpiantoProprietario", "Dati dell'utente e/o proprietario"},
    {"FrameTenutaImpiantoGas", "Tipo di Gas"},
    {"FrameTenutaImpiantoCapacitaImpianto", "Capacità dell'impianto (litri)"},
    {"FrameTenutaImpiantoIntervento", "Causa dell'intervento"},
    {"FrameTenutaImpiantoApparecchiAlimentati", "Apparecchi alimentati dall'impianto"},
    {"FrameTenutaImpiantoMetodologia", "Metodologia di verifica applicata"},
    {"FrameTenutaImpiantoProvaContatore", "Prova preliminare con contatore"},
    {"FrameTenutaImpiantoProvaCDP", "Prova preliminare mediante rilevazione C.D.P."},
    {"FrameTenutaImpiantoDispositivoIntercettazione",
     "Controllo dispositivo intercettazione (da effettuare in caso di prova eseguita con gas combustibile)"},
    {"FrameTenutaImpiantoRisultatoVerifica", "Risultato della verifica"},
    {"FrameTenutaImpiantoNote", "Note"},
    {"FrameTenutaImpiantoDatiImpresaBis", "Dati dell'impresa e/o del tecnico che ha effettuato la verifica "},
}};

// The label beside each text box ("" for a box whose frame or neighbour names it).
const char* Etichetta(int campo) {
  switch (campo) {
    case RagSociale: return "Ragione sociale";
    case Indirizzo: return "Indirizzo";
    case Telefono: return "Telefono";
    case NomeTecnico: return "Nome e cognome del tecnico";
    case ProprietarioNome: return "Nome e cognome";
    case ProprietarioTel: return "Telefono";
    case ProprietarioComuneInstall: return "Comune di installazione del'impianto";
    case ProprietarioProv: return "Provincia";
    case ProprietarioCap: return "CAP";
    case ProprietarioVia: return "Via/piazza";
    case ProprietarioNumero: return "Numero";
    case ProprietarioScala: return "Scala";
    case ProprietarioNome2: return "Proprietario (se diverso dall'occupante)";
    case ProprietarioComuneResid: return "Comune di residenza";
    case ProprietarioVia2: return "Via";
    case ProprietarioNumCiv: return "Numero";
    case ProprietarioPresente: return "Durante l'intervento era presente il/la sig.";
    case CapacitaImpianto: return "Cap. impianto:";
    case CapacitaContatore: return "Cap. contatore (< 3 l):";
    case CapacitaTotale: return "Cap. totale:";
    case DataEsecuzione: return "Data esecuzione int.";
    case OraEsecuzione: return "Ora intervento:";
    case AppComplessivo: return "Numero complessivo";
    case AppRisc: return "Apparecchi per il riscaldamento";
    case AppAcquaSan: return "Apparecchi per la produzione di acqua sanitaria";
    case AppCombinati: return "Apparecchi combinati (riscaldamento/sanitario)";
    case AppCottura: return "Cottura cibi";
    case AppAltroNum: return "Altro (specificare)";
    case ProvaContModello: return "Modello contatore";
    case ProvaContCalibro: return "Calibro";
    case ProvaContMarca: return "Marca";
    case ProvaContMatricola: return "Matricola";
    case ProvaContQn: return "Portata nominale minima (l/h)";
    case ProvaContPprova: return "Pressione di prova (Pa)";
    case ProvaContDispRil: return "Dispersione rilevata (l/h)";
    case ProvaContPRif: return "Pressione di riferimento";
    case ProvaContDispRif: return "Dispersione di riferimento";
    case ProvaCDPStrumento: return "Tipo strumento";
    case ProvaCDPMarca: return "Marca";
    case ProvaCDPMatricola: return "Matricola";
    case ProvaCDPPprova: return "Pressione di prova (Pa)";
    case ProvaCDPcdp: return "C.D.P in 1 minuto (Pa)";
    case ProvaCDPPrifer: return "Pressione di riferimento (Pa)";
    case ProvaCDPcdpmax: return "C.D.P. max in 1 minuto (Pa)";
    default: return "";
  }
}

struct DescrizioneCausa {
  const char* nome;
  const char* titolo;
};
constexpr std::array<DescrizioneCausa, 7> kCause = {{
    {"ckTenutaImpiantoCausaSostApp", "Sostituzione apparecchio"},
    {"ckTenutaImpiantoCausaSostGas", "Sostituzione tipo di gas"},
    {"ckTenutaImpiantoCausaRiattImp", "Riattivazione impianto"},
    {"ckTenutaImpiantoCausaOdoreGas", "Persistente odore di gas"},
    {"ckTenutaImpiantoCausaEsitoIncerto", "Esito incerto secondo UNI 10738"},
    {"ckTenutaImpiantoCausaVerificaPeriodica", "Verifica periodica decennale"},
    {"ckTenutaImpiantoCausaAltro", "Altro (specificare)"},
}};

constexpr std::array<int, 4> kImpresa = {RagSociale, Indirizzo, Telefono, NomeTecnico};
constexpr std::array<int, 5> kConteggi = {AppRisc, AppAcquaSan, AppCombinati, AppCottura, AppAltroNum};
constexpr std::array<int, 6> kNumeriConInvio = {CapacitaContatore, ProvaCDPcdp, ProvaCDPPprova,
                                                ProvaContPprova, ProvaContDispRil, ProvaContQn};

// An option button does not wrap: a long caption gets its own line break before the remark, and
// the remark is broken between words so that the caption fits the page at the smallest window.
QString TestoOpzione(const char* testo) {
  constexpr int kRiga = 64;
  QString t = QString::fromUtf8(testo);
  const int i = t.indexOf(QStringLiteral(" ("));
  if (i <= 0) return t;
  QString risultato = t.left(i);
  QString riga;
  for (const QString& parola : t.mid(i + 1).split(QLatin1Char(' '))) {
    if (!riga.isEmpty() && riga.size() + 1 + parola.size() > kRiga) {
      risultato += QLatin1Char('\n') + riga;
      riga.clear();
    }
    riga += (riga.isEmpty() ? QString() : QStringLiteral(" ")) + parola;
  }
  return risultato + QLatin1Char('\n') + riga;
}

// A box as wide as the longest text its kind holds, so that a date or a time is never cut.
void LarghezzaPer(QLineEdit* e, const QString& modello) {
  const QMargins m = e->textMargins();
  e->setMinimumWidth(e->fontMetrics().horizontalAdvance(modello) + m.left() + m.right() + 16);
}

QColor Colore(ColoreTenuta c) {
  const QPalette sistema = QApplication::palette();
  switch (c) {
    case ColoreSfondoFinestra: return sistema.color(QPalette::Base);
    case ColoreFacciaPulsante: return sistema.color(QPalette::Button);
    case ColoreTestoPulsante: return sistema.color(QPalette::ButtonText);
    default: return ColoreVB(static_cast<int32_t>(c & 0xFFFFFFu));
  }
}

void ImpostaRuolo(QWidget* w, QPalette::ColorRole ruolo, const QColor& colore) {
  if (w->palette().color(ruolo) == colore) return;
  QPalette p = w->palette();
  p.setColor(ruolo, colore);
  w->setPalette(p);
}

void SfondoPulsante(QWidget* w, ColoreTenuta c) {
  // A button fills its background with its button role, where a colour of the window role would
  // never show: the mark of a missing choice must be seen on check boxes and options too.
  w->setBackgroundRole(QPalette::Window);
  w->setAutoFillBackground(true);
  ImpostaRuolo(w, QPalette::Window, Colore(c));
}

void ImpostaTesto(QLineEdit* e, const std::string& testo) {
  const QString t = QS(testo);
  if (e->text() != t) e->setText(t);
}

}  // namespace

PaginaTenutaQt::PaginaTenutaQt(GasGrid& finestra) : QObject(finestra.picInner), finestra_(finestra) {
  Costruisci();
  ImpostaPaginaTenuta(this);
  // The editor only sizes the scroll bar: moving the panel is the page's.
  connect(finestra_.VScroll, &QScrollBar::valueChanged, this,
          [this](int valore) { finestra_.picInner->move(0, -Pixel(valore)); });
  // The bar counts twips: an arrow click or a wheel notch moves by lines of text, not by twips.
  finestra_.VScroll->setSingleStep(Twips(finestra_.picInner->fontMetrics().height() + 4));
  finestra_.picInner->installEventFilter(this);
  finestra_.pagTenuta->installEventFilter(this);
  Mostra();
}

bool PaginaTenutaQt::eventFilter(QObject* oggetto, QEvent* evento) {
  // A wheel turned over any field reaches the panel, since no field of the page uses it.
  if (oggetto == finestra_.picInner && evento->type() == QEvent::Wheel) {
    QCoreApplication::sendEvent(finestra_.VScroll, evento);
    return true;
  }
  // The page comes on screen: the height it waited for is measured before it is painted.
  if (oggetto == finestra_.pagTenuta && evento->type() == QEvent::Show && misuraRimandata_ && AdattaAltezza())
    finestra_.AdattaScrollTenuta(false);
  return QObject::eventFilter(oggetto, evento);
}

PaginaTenutaQt::~PaginaTenutaQt() {
  // The record outlives the editor: the core must stop calling a page that is gone.
  if (PaginaTenutaInstallata() == this) ImpostaPaginaTenuta(nullptr);
}

void PaginaTenutaQt::Costruisci() {
  QWidget* inner = finestra_.picInner;
  inner->setMinimumSize(DimensioneTwips(kLarghezzaPagina, kAltezzaPagina));
  inner->resize(std::max(inner->width(), Pixel(kLarghezzaPagina)), Pixel(kAltezzaPagina));
  auto* colonna = new QVBoxLayout(inner);

  for (int i = 0; i < cr::Numero; ++i) {
    auto* g = new QGroupBox(QString::fromUtf8(kCornici[static_cast<size_t>(i)].titolo), inner);
    g->setObjectName(QString::fromUtf8(kCornici[static_cast<size_t>(i)].nome));
    Cornici[static_cast<size_t>(i)] = g;
    controlli_.push_back(g);
  }
  auto affianca = [&](int a, int b) {
    auto* riga = new QHBoxLayout;
    riga->addWidget(Cornici[static_cast<size_t>(a)]);
    riga->addWidget(Cornici[static_cast<size_t>(b)]);
    colonna->addLayout(riga);
  };
  colonna->addWidget(Cornici[cr::DescrizioneProva]);
  colonna->addWidget(Cornici[cr::Impresa]);
  colonna->addWidget(Cornici[cr::Proprietario]);
  affianca(cr::Gas, cr::CapacitaImpianto);
  affianca(cr::Intervento, cr::ApparecchiAlimentati);
  colonna->addWidget(Cornici[cr::Metodologia]);
  affianca(cr::ProvaContatore, cr::ProvaCDP);
  colonna->addWidget(Cornici[cr::DispositivoIntercettazione]);
  colonna->addWidget(Cornici[cr::RisultatoVerifica]);
  colonna->addWidget(Cornici[cr::Note]);
  colonna->addWidget(Cornici[cr::DatiImpresaBis]);
  colonna->addStretch();

  const auto& campi = CampiTenuta();
  // Text boxes in rows of `perRiga` label-box pairs.
  auto caselle = [&](int cornice, std::initializer_list<int> elenco, int perRiga, QGridLayout* griglia = nullptr,
                     int rigaIniziale = 0) {
    QGroupBox* g = Cornici[static_cast<size_t>(cornice)];
    if (!griglia) griglia = new QGridLayout(g);
    int k = 0;
    for (int c : elenco) {
      auto* e = new QLineEdit(g);
      e->setObjectName(QStringLiteral("txtTenutaImpianto") + QString::fromUtf8(campi[static_cast<size_t>(c)].nome));
      Caselle[static_cast<size_t>(c)] = e;
      controlli_.push_back(e);
      // What the calculation writes would overwrite anything typed there: it is shown, not edited,
      // and Tab passes it by.
      if (IsCampoCalcolato(c)) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::ClickFocus);
      }
      const int r = rigaIniziale + k / perRiga, col = (k % perRiga) * 2;
      const QString etichetta = QString::fromUtf8(Etichetta(c));
      if (!etichetta.isEmpty()) griglia->addWidget(new QLabel(etichetta, g), r, col);
      griglia->addWidget(e, r, col + 1);
      ++k;
    }
    return griglia;
  };
  auto opzione = [&](QGroupBox* g, const char* nome, const QString& testo) {
    auto* o = new QRadioButton(testo, g);
    o->setObjectName(QString::fromUtf8(nome));
    // The page decides which option of a group is on: the window system may not switch it.
    o->setAutoExclusive(false);
    controlli_.push_back(o);
    return o;
  };

  // Row 1: the notice.
  {
    auto* l = new QVBoxLayout(Cornici[cr::DescrizioneProva]);
    lblDescrizioneProva = new QLabel(Cornici[cr::DescrizioneProva]);
    lblDescrizioneProva->setObjectName(QStringLiteral("lblTenutaImpiantoDescrizioneProva"));
    lblDescrizioneProva->setWordWrap(true);
    l->addWidget(lblDescrizioneProva);
    controlli_.push_back(lblDescrizioneProva);
  }
  caselle(cr::Impresa, {RagSociale, Indirizzo, Telefono, NomeTecnico}, 2);
  caselle(cr::Proprietario,
          {ProprietarioNome, ProprietarioTel, ProprietarioComuneInstall, ProprietarioProv, ProprietarioCap,
           ProprietarioVia, ProprietarioNumero, ProprietarioScala, ProprietarioNome2, ProprietarioComuneResid,
           ProprietarioVia2, ProprietarioNumCiv, ProprietarioPresente},
          2);
  {
    auto* l = new QVBoxLayout(Cornici[cr::Gas]);
    const char* nomi[] = {"optTenutaImpianto1afam", "optTenutaImpianto2afam", "optTenutaImpianto3afam"};
    const char* titoli[] = {"I famiglia", "II famiglia", "III famiglia"};
    for (size_t k = 0; k < 3; ++k) {
      Famiglie[k] = opzione(Cornici[cr::Gas], nomi[k], QString::fromUtf8(titoli[k]));
      l->addWidget(Famiglie[k]);
    }
  }
  caselle(cr::CapacitaImpianto, {CapacitaImpianto, CapacitaContatore, CapacitaTotale}, 1);
  {
    QGroupBox* g = Cornici[cr::Intervento];
    QGridLayout* griglia = caselle(cr::Intervento, {DataEsecuzione, OraEsecuzione}, 2);
    LarghezzaPer(Caselle[DataEsecuzione], QStringLiteral("00/00/0000"));
    LarghezzaPer(Caselle[OraEsecuzione], QStringLiteral("00:00"));
    for (size_t k = 0; k < kCause.size(); ++k) {
      auto* c = new QCheckBox(QString::fromUtf8(kCause[k].titolo), g);
      c->setObjectName(QString::fromUtf8(kCause[k].nome));
      CauseCaselle[k] = c;
      controlli_.push_back(c);
      griglia->addWidget(c, 1 + static_cast<int>(k), 0, 1, k + 1 == kCause.size() ? 1 : 4);
    }
    auto* altro = new QLineEdit(g);
    altro->setObjectName(QStringLiteral("txtTenutaImpiantoCausaAltro"));
    Caselle[CausaAltro] = altro;
    controlli_.push_back(altro);
    griglia->addWidget(altro, static_cast<int>(kCause.size()), 1, 1, 3);
  }
  {
    QGridLayout* griglia = caselle(cr::ApparecchiAlimentati,
                                   {AppComplessivo, AppRisc, AppAcquaSan, AppCombinati, AppCottura, AppAltroNum}, 1);
    caselle(cr::ApparecchiAlimentati, {AppAltroDesc}, 1, griglia, 6);
    // The description of the other appliances has no label: it takes the whole row, so that what
    // is typed stays readable beside the long labels above it.
    griglia->removeWidget(Caselle[AppAltroDesc]);
    griglia->addWidget(Caselle[AppAltroDesc], 6, 0, 1, 2);
  }
  {
    auto* l = new QHBoxLayout(Cornici[cr::Metodologia]);
    optMetodoContatore = opzione(Cornici[cr::Metodologia], "optTenutaImpiantoMetodoContatore",
                                 QStringLiteral("con contatore"));
    optMetodoCDP = opzione(Cornici[cr::Metodologia], "optTenutaImpiantoMetodoCDP",
                           QString::fromUtf8("mediante rilevazione c.d.p. (solo per impianti con capacità <= 25 l)"));
    l->addWidget(optMetodoContatore);
    l->addWidget(optMetodoCDP);
  }
  {
    QGroupBox* g = Cornici[cr::ProvaContatore];
    QGridLayout* griglia =
        caselle(cr::ProvaContatore,
                {ProvaContModello, ProvaContCalibro, ProvaContMarca, ProvaContMatricola, ProvaContQn, ProvaContPprova,
                 ProvaContDispRil, ProvaContPRif, ProvaContDispRif},
                1);
    lblProvaContErrore = new QLabel(g);
    lblProvaContErrore->setObjectName(QStringLiteral("lblTenutaImpiantoProvaContErrore"));
    lblProvaContErrore->setWordWrap(true);
    controlli_.push_back(lblProvaContErrore);
    griglia->addWidget(lblProvaContErrore, 9, 0, 1, 2);
  }
  caselle(cr::ProvaCDP,
          {ProvaCDPStrumento, ProvaCDPMarca, ProvaCDPMatricola, ProvaCDPPprova, ProvaCDPcdp, ProvaCDPPrifer,
           ProvaCDPcdpmax},
          1);
  {
    QGroupBox* g = Cornici[cr::DispositivoIntercettazione];
    auto* l = new QHBoxLayout(g);
    optDisposATenuta = opzione(g, "optTenutaImpiantoDisposIntercettATenuta",
                               QStringLiteral("Dispositivo di intercettazione a tenuta"));
    optDisposNonATenuta = opzione(g, "optTenutaImpiantoDisposIntercettNonATenuta",
                                  QStringLiteral("Dispositivo di intercettazione non a tenuta"));
    l->addWidget(optDisposATenuta);
    l->addWidget(optDisposNonATenuta);
  }
  {
    QGroupBox* g = Cornici[cr::RisultatoVerifica];
    auto* l = new QGridLayout(g);
    optIdoneo = opzione(g, "optTenutaImpiantoIdoneo", TestoOpzione(TestoIdoneo));
    optTemporaneo = opzione(g, "optTenutaImpiantoTemporaneo", TestoOpzione(TestoTemporaneo));
    optNonIdoneo = opzione(g, "optTenutaImpiantoNonIdoneo", TestoOpzione(TestoNonIdoneo));
    btnRicalcola = new QPushButton(QStringLiteral("Ricalcola"), g);
    btnRicalcola->setObjectName(QStringLiteral("btnTenutaImpiantoRicalcola"));
    l->addWidget(optIdoneo, 0, 0);
    l->addWidget(optTemporaneo, 1, 0);
    l->addWidget(optNonIdoneo, 2, 0);
    l->addWidget(btnRicalcola, 0, 1);
    lblMotivoNessunVerdetto = new QLabel(g);
    lblMotivoNessunVerdetto->setObjectName(QStringLiteral("lblTenutaImpiantoMotivoNessunVerdetto"));
    lblMotivoNessunVerdetto->setWordWrap(true);
    controlli_.push_back(lblMotivoNessunVerdetto);
    l->addWidget(lblMotivoNessunVerdetto, 3, 0, 1, 2);
  }
  caselle(cr::Note, {Note}, 1);
  {
    QGroupBox* g = Cornici[cr::DatiImpresaBis];
    auto* griglia = new QGridLayout(g);
    const char* suffissi[] = {"RagSocialeBis", "IndirizzoBis", "TelefonoBis", "NomeTecnicoBis"};
    for (size_t k = 0; k < 4; ++k) {
      auto* e = new QLineEdit(g);
      e->setObjectName(QStringLiteral("txtTenutaImpianto") + QString::fromUtf8(suffissi[k]));
      e->setReadOnly(true);
      CopieImpresa[k] = e;
      controlli_.push_back(e);
      griglia->addWidget(new QLabel(QString::fromUtf8(Etichetta(kImpresa[k])), g), static_cast<int>(k / 2),
                         static_cast<int>(k % 2) * 2);
      griglia->addWidget(e, static_cast<int>(k / 2), static_cast<int>(k % 2) * 2 + 1);
    }
    const char* firme[] = {"Firma per accettazione e presa visione dell'occupante", "Timbro dell'impresa",
                           "Firma del tecnico"};
    for (int k = 0; k < 3; ++k) griglia->addWidget(new QLabel(QString::fromUtf8(firme[k]), g), 2, k * 2, 1, 2);
  }

  AdattaAltezza();

  // ---- Events ----
  connect(btnRicalcola, &QPushButton::clicked, this, [this] { Esegui([this] { pagina_.TenutaImpiantoRefresh(); }); });
  for (size_t k = 0; k < kImpresa.size(); ++k)
    connect(Caselle[static_cast<size_t>(kImpresa[k])], &QLineEdit::textChanged, this,
            [this, k](const QString& t) { CopieImpresa[k]->setText(t); });
  // A box is judged when it is left as much as when Enter confirms it: the verdict shown must
  // always follow what the boxes hold. Only Enter confirms a value read from the file that waits
  // for the technician's word; Enter gives both signals, the confirmation first.
  for (int c : kNumeriConInvio) {
    connect(Caselle[static_cast<size_t>(c)], &QLineEdit::returnPressed, this,
            [this, c] { Esegui([this, c] { pagina_.CampoConfermato(c, true); }); });
    connect(Caselle[static_cast<size_t>(c)], &QLineEdit::editingFinished, this,
            [this, c] { Esegui([this, c] { pagina_.CampoConfermato(c, false); }); });
  }
  for (size_t c = 0; c < Caselle.size(); ++c) {
    const bool numero = std::find(kNumeriConInvio.begin(), kNumeriConInvio.end(), static_cast<int>(c)) !=
                        kNumeriConInvio.end();
    if (Caselle[c] && !numero)
      connect(Caselle[c], &QLineEdit::editingFinished, this,
              [this] { Esegui([this] { pagina_.TenutaImpiantoRefresh(); }); });
  }
  for (QCheckBox* c : CauseCaselle)
    connect(c, &QCheckBox::clicked, this, [this] { Esegui([this] { pagina_.TenutaImpiantoRefresh(); }); });
  for (int c : kConteggi)
    connect(Caselle[static_cast<size_t>(c)], &QLineEdit::textChanged, this,
            [this] { Esegui([this] { pagina_.TenutaImpiantoRefresh(); }); });
  const std::vector<QRadioButton*> metodo = {optMetodoContatore, optMetodoCDP};
  const std::vector<QRadioButton*> dispositivo = {optDisposATenuta, optDisposNonATenuta};
  const std::vector<QRadioButton*> verdetto = {optIdoneo, optTemporaneo, optNonIdoneo};
  for (const auto& gruppo : {metodo, dispositivo, verdetto})
    for (QRadioButton* o : gruppo)
      connect(o, &QRadioButton::clicked, this, [this, o, gruppo] { OpzioneCliccata(o, gruppo); });
}

bool PaginaTenutaQt::AdattaAltezza() {
  // The page's size in twips was drawn for a smaller system font: the fields would otherwise be
  // squeezed until their text cannot be read, so the page grows instead. With its sections hidden
  // only the notice is left, and the page is only as tall as that.
  QWidget* inner = finestra_.picInner;
  const bool sezioni = pagina_.Cornici[cr::Impresa].Visibile;
  // Measuring every section, each label broken into lines, is the largest part of building the
  // editor. A page off screen that already has its designed height waits: it is measured when
  // it is shown, before anything of it is painted.
  if (sezioni && !finestra_.pagTenuta->isVisible() && inner->minimumHeight() >= Pixel(kAltezzaPagina) &&
      inner->height() == inner->minimumHeight()) {
    misuraRimandata_ = true;
    return false;
  }
  misuraRimandata_ = false;
  inner->ensurePolished();
  inner->layout()->activate();
  const int altezza = std::max(sezioni ? Pixel(kAltezzaPagina) : 0, inner->layout()->sizeHint().height());
  if (inner->minimumHeight() == altezza && inner->height() == altezza) return false;
  inner->setMinimumHeight(altezza);
  inner->resize(inner->width(), altezza);
  return true;
}

void PaginaTenutaQt::OpzioneCliccata(QRadioButton* scelta, const std::vector<QRadioButton*>& gruppo) {
  if (inCorso_) return;
  // A click selects the option, as in any group of options, and clears the others.
  for (QRadioButton* o : gruppo) {
    const QSignalBlocker blocco(o);
    o->setChecked(o == scelta);
  }
  Esegui([this] { pagina_.TenutaImpiantoRefresh(); });
}

void PaginaTenutaQt::Refresh() {
  Esegui([this] { pagina_.TenutaImpiantoRefresh(); });
}

void PaginaTenutaQt::Init() {
  Esegui([this] { pagina_.TenutaImpiantoInit(); });
}

void PaginaTenutaQt::Esegui(const std::function<void()>& operazione) {
  if (inCorso_) return;
  inCorso_ = true;
  struct Fine {
    bool& f;
    ~Fine() { f = false; }
  } fine{inCorso_};
  Leggi();
  operazione();
  Mostra();
}

void PaginaTenutaQt::Leggi() {
  for (int c = 0; c < NumCampiTenuta; ++c)
    if (QLineEdit* e = Caselle[static_cast<size_t>(c)]) pagina_.Testo(c) = SS(e->text());
  for (size_t k = 0; k < CopieImpresa.size(); ++k) pagina_.CopieImpresa[k] = SS(CopieImpresa[k]->text());
  for (size_t k = 0; k < CauseCaselle.size(); ++k) pagina_.CauseCaselle[k].Spuntata = CauseCaselle[k]->isChecked();
  pagina_.MetodoContatore.Selezionata = optMetodoContatore->isChecked();
  pagina_.MetodoCDP.Selezionata = optMetodoCDP->isChecked();
  pagina_.DisposATenuta.Selezionata = optDisposATenuta->isChecked();
  pagina_.DisposNonATenuta.Selezionata = optDisposNonATenuta->isChecked();
  pagina_.Idoneo.Selezionata = optIdoneo->isChecked();
  pagina_.Temporaneo.Selezionata = optTemporaneo->isChecked();
  pagina_.NonIdoneo.Selezionata = optNonIdoneo->isChecked();
}

void PaginaTenutaQt::Mostra() {
  std::vector<std::unique_ptr<QSignalBlocker>> blocchi;
  blocchi.reserve(controlli_.size());
  for (QWidget* w : controlli_) blocchi.push_back(std::make_unique<QSignalBlocker>(w));

  for (int c = 0; c < NumCampiTenuta; ++c) {
    QLineEdit* e = Caselle[static_cast<size_t>(c)];
    if (!e) continue;
    ImpostaTesto(e, pagina_.Testo(c));
    ImpostaRuolo(e, QPalette::Base, Colore(pagina_.Caselle[static_cast<size_t>(c)].ColoreSfondo));
  }
  for (size_t k = 0; k < CopieImpresa.size(); ++k) ImpostaTesto(CopieImpresa[k], pagina_.CopieImpresa[k]);
  for (size_t k = 0; k < CauseCaselle.size(); ++k) {
    CauseCaselle[k]->setChecked(pagina_.CauseCaselle[k].Spuntata);
    SfondoPulsante(CauseCaselle[k], pagina_.CauseCaselle[k].ColoreSfondo);
  }
  auto opzione = [](QRadioButton* o, const OpzioneTenuta& d) {
    o->setChecked(d.Selezionata);
    o->setEnabled(d.Abilitata);
    SfondoPulsante(o, d.ColoreSfondo);
    ImpostaRuolo(o, QPalette::WindowText, Colore(d.ColoreTesto));
    ImpostaRuolo(o, QPalette::ButtonText, Colore(d.ColoreTesto));
  };
  for (size_t k = 0; k < Famiglie.size(); ++k) opzione(Famiglie[k], pagina_.Famiglie[k]);
  opzione(optMetodoContatore, pagina_.MetodoContatore);
  opzione(optMetodoCDP, pagina_.MetodoCDP);
  opzione(optDisposATenuta, pagina_.DisposATenuta);
  opzione(optDisposNonATenuta, pagina_.DisposNonATenuta);
  opzione(optIdoneo, pagina_.Idoneo);
  opzione(optTemporaneo, pagina_.Temporaneo);
  opzione(optNonIdoneo, pagina_.NonIdoneo);
  bool sezioniCambiate = false;
  for (size_t i = 0; i < Cornici.size(); ++i) {
    QGroupBox* c = Cornici[i];
    const bool visibile = pagina_.Cornici[i].Visibile;
    sezioniCambiate = sezioniCambiate || c->isHidden() == visibile;
    // A section never shown nor hidden comes on screen with the page by itself: showing it on
    // its own while the page is off screen would lay out all its fields now, for nothing.
    const bool segueLaPagina =
        visibile && !c->testAttribute(Qt::WA_WState_ExplicitShowHide) && !finestra_.pagTenuta->isVisible();
    if (!segueLaPagina) c->setHidden(!visibile);
    c->setEnabled(pagina_.Cornici[i].Abilitata);
  }
  lblDescrizioneProva->setText(QS(pagina_.Descrizione));
  ImpostaRuolo(lblDescrizioneProva, QPalette::WindowText,
               Colore(pagina_.DescrizioneRossa ? ColoreRossoTenuta : ColoreTestoPulsante));
  lblProvaContErrore->setText(QS(pagina_.ErroreContatore));
  lblMotivoNessunVerdetto->setText(QS(pagina_.NotaSottoVerdetto));
  lblMotivoNessunVerdetto->setVisible(!pagina_.NotaSottoVerdetto.empty());
  const bool altezzaCambiata = AdattaAltezza();
  // Sections shown or hidden move everything: the page starts again from its top, with a range
  // that fits what is left, instead of a blank view scrolled past the notice.
  if (sezioniCambiate || altezzaCambiata) finestra_.AdattaScrollTenuta(sezioniCambiate);
}

void InstallaPaginaTenuta() {
  ImpostaCostruttorePaginaTenuta([](GasGrid& finestra) -> QObject* { return new PaginaTenutaQt(finestra); });
}

}  // namespace varnex::ui
