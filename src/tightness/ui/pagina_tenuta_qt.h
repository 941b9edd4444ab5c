// The tightness page of the editor window: the sections built into the window's inner panel,
// the controls copied into the core's `PaginaTenuta` before each operation and the result shown
// afterwards, and the page's events.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <functional>
#include <vector>

#include "tightness/pagina_tenuta.h"
#include "model/tenuta.h"

namespace varnex::ui {

class GasGrid;

class PaginaTenutaQt : public QObject, public IPaginaTenuta {
  Q_OBJECT
 public:
  // Builds the sections into the window's `picInner` and installs itself in the core. The window
  // owns the page and deletes it before any of its widgets goes.
  explicit PaginaTenutaQt(GasGrid& finestra);
  ~PaginaTenutaQt() override;

  void Refresh() override;
  void Init() override;

  PaginaTenuta& Dati() { return pagina_; }

  // ---- Controls ----
  // Text boxes by field (`campo_tenuta`), nullptr for the fields shown otherwise.
  std::array<QLineEdit*, NumCampiTenuta> Caselle{};
  std::array<QLineEdit*, 4> CopieImpresa{};
  std::array<QRadioButton*, 3> Famiglie{};
  QRadioButton* optMetodoContatore = nullptr;
  QRadioButton* optMetodoCDP = nullptr;
  QRadioButton* optDisposATenuta = nullptr;
  QRadioButton* optDisposNonATenuta = nullptr;
  QRadioButton* optIdoneo = nullptr;
  QRadioButton* optTemporaneo = nullptr;
  QRadioButton* optNonIdoneo = nullptr;
  std::array<QCheckBox*, 7> CauseCaselle{};
  std::array<QGroupBox*, cornice_tenuta::Numero> Cornici{};
  QLabel* lblDescrizioneProva = nullptr;
  QLabel* lblProvaContErrore = nullptr;
  // Why the verdict options are all clear, under them.
  QLabel* lblMotivoNessunVerdetto = nullptr;
  QPushButton* btnRicalcola = nullptr;

 protected:
  // The mouse wheel over the page scrolls it, as its scroll bar does.
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  void Costruisci();
  // Controls into the core's page, and back (the back way with every signal blocked, so that the
  // page's own changes ask for no refresh).
  void Leggi();
  void Mostra();
  // The inner panel as tall as its sections need; true when its height changed. While the page
  // is not on screen and keeps at least its designed height, the measure waits for the page to
  // be shown.
  bool AdattaAltezza();
  // Runs one operation of the page between the two copies; one asked for during another is dropped.
  void Esegui(const std::function<void()>& operazione);
  void OpzioneCliccata(QRadioButton* scelta, const std::vector<QRadioButton*>& gruppo);

  GasGrid& finestra_;
  PaginaTenuta pagina_;
  std::vector<QWidget*> controlli_;
  bool inCorso_ = false;
  bool misuraRimandata_ = false;
};

// Gives the editor window the builder of this page.
void InstallaPaginaTenuta();

}  // namespace varnex::ui
