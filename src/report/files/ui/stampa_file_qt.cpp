#include "report/files/ui/stampa_file_qt.h"

#include <QImage>
#include <QPixmap>

#include "report/files/report_html.h"
#include "report/files/report_txt.h"
#include "report/files/stampa_file.h"
#include "report/print/ui/frm_stampa.h"
#include "schema/ui/schema_canvas.h"
#include "shell/ui/services.h"

namespace varnex::ui {

namespace {

// Pixels of the report's diagram picture for each one of the screen's: printed at its own size it
// has about 300 dots an inch, so its labels print sharp.
constexpr double RisoluzioneFiguraReport = 3;

class FinestreStampaFileQt final : public IFinestreStampaFile {
 public:
  std::optional<std::string> SalvaFile(const std::string& titolo, const std::string& filtro,
                                       const std::string& cartella, const std::string& nome) override {
    return FileDialoghi().SalvaFile(titolo, filtro, cartella, nome);
  }

  std::optional<PixelImmagine> CaricaLogo(const std::string& percorso) override {
    const QImage logo(QS(percorso));
    if (logo.isNull()) return std::nullopt;
    if (QLabel* holder = LogoStampaFile()) {
      holder->setPixmap(QPixmap::fromImage(logo));
      holder->setProperty("Tag", QStringLiteral("OK"));
    }
    return PixelImmagine{logo.width(), logo.height()};
  }

  void TogliLogo() override {
    if (QLabel* holder = LogoStampaFile()) {
      holder->clear();
      holder->setProperty("Tag", QString());
    }
  }

  void MostraAttesa() override { attesa.Mostra(); }
  void PrintMsg(const std::string& testo) override { attesa.PrintMsg(testo); }
  void UpdateBar(int16_t p, int16_t t) override { attesa.UpdateBar(p, t); }
  void ChiudiAttesa() override { attesa.Chiudi(); }
  void DoEvents() override { ui::DoEvents(); }

  MisuraSchema SaveSchema(const std::string& percorso) override {
    const QSizeF misura = ui::SaveSchema(percorso);
    return {misura.width(), misura.height(), {}};
  }

  MisuraSchema SalvaPartiSchema(const DivisioneFiguraSchema& dividi) override { return ui::SalvaPartiSchema(dividi); }

  void ChiudiDialogoStampa() override {
    if (frmStampa* dialogo = StampaAperta()) dialogo->cmdCancel_Click();
  }

  AttesaStampaQt attesa;
};

FinestreStampaFileQt& Finestre() {
  static FinestreStampaFileQt finestre;
  return finestre;
}

}  // namespace

MisuraSchema SalvaPartiSchema(const DivisioneFiguraSchema& dividi) {
  MisuraSchema misura;
  std::vector<ParteFiguraSchema> parti;
  const std::vector<QImage> pezzi = PezziImmagineSchema(
      nullptr, RisoluzioneFiguraReport, nullptr,
      [&](const QSizeF& relativa, const std::vector<QRectF>& blocchi, const MisuraEtichette& etichette) {
        misura = {relativa.width(), relativa.height(), {}, EtichetteDaAvvisare(etichette)};
        for (const QRectF& b : blocchi) misura.blocchi.push_back({b.left(), b.top(), b.right(), b.bottom()});
        parti = dividi(misura);
        std::vector<QRectF> rettangoli;
        for (const ParteFiguraSchema& p : parti) rettangoli.emplace_back(p.x, p.y, p.larghezza, p.altezza);
        return rettangoli;
      });
  for (size_t i = 0; i < parti.size() && i < pezzi.size(); ++i) SalvaImmagineSchema(pezzi[i], parti[i].percorso);
  return misura;
}

void InstallaStampaFile() {
  ImpostaFinestreStampaFile(&Finestre());
  PrintHTMLReportHook = [] { PrintHTMLReport(0); };
  PrintTXTReportHook = [] { PrintTXTReport(); };
}

frmPrintWait* AttesaStampaFile() { return Finestre().attesa.Finestra(); }

QLabel* LogoStampaFile() {
  frmStampa* dialogo = StampaAperta();
  return dialogo ? dialogo->findChild<QLabel*>(QStringLiteral("picLogo")) : nullptr;
}

}  // namespace varnex::ui
