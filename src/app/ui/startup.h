// The start-up in the windows: the one-per-user instance lock, the Qt side of the start-up
// sequence (start-up window, main window, tips, start screen) and the program's entry.
#pragma once

#include <QLockFile>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTranslator>
#include <memory>

#include "app/startup.h"

namespace varnex::ui {

// A lock that a second process of the same user cannot take: a lock file in the user's runtime
// folder. Tests give a private name.
class IstanzaUnica {
 public:
  explicit IstanzaUnica(const QString& nome = QStringLiteral("VarnexPro"));
  // True when this process holds the lock (taken now or before).
  bool Prendi();
  QString Percorso() const;

 private:
  std::unique_ptr<QLockFile> lock_;
  bool preso_ = false;
};

// The start-up sequence's windows. The main window is created here and destroyed with this
// object, unless closing the program destroyed it first.
class FinestreAvvioQt : public IFinestreAvvio {
 public:
  explicit FinestreAvvioQt(IstanzaUnica& istanza);
  ~FinestreAvvioQt() override;

  bool PrendiIstanza() override;
  void MostraSplash() override;
  void Progresso(int16_t valore) override;
  void ShowWorking(const std::string& testo) override;
  void ScaricaSplash() override;
  void MostraFinestraPrincipale() override;
  void MostraSuggerimenti() override;
  void SpuntaSuggerimenti(bool spuntato) override;
  void MostraAttivita() override;
  void TerminaProcesso(int codice) override;

  QMainWindow* Principale() const { return principale_.data(); }

 private:
  IstanzaUnica& istanza_;
  std::unique_ptr<class frmSplash> splash_;
  QPointer<QMainWindow> principale_;
};

// The text after the program name, rebuilt from the arguments (joined with one blank).
std::string RigaComando(int argc, char** argv);

// The toolkit's own dialogs (files, folders, printers, fonts) speak Italian like the rest;
// `traduzioni` must live as long as the program.
void InstallaTraduzioni(QTranslator& traduzioni);
// The subsystems the windows draw and write through: schema, tightness page, printed diagram,
// report files.
void InstallaSottosistemi();
// Sets up the program folder (the user's own): the first time, what the program folder of an
// earlier build (`precedente`, the executable's folder) holds is carried over, with the recent
// files and the last work folder that pointed into it; then the shipped files the folder has not
// had yet are brought. A file that cannot be copied is told, and the program goes on with the
// folder as it is; false, after a message, only when the folder itself cannot be made.
bool PreparaCartellaProgramma(const std::string& precedente);
bool PreparaCartellaProgramma();
// The whole program after the QApplication exists: services, lifecycle, start-up sequence and
// the event loop. Returns the process's exit code.
int EseguiProgramma(int argc, char** argv);

}  // namespace varnex::ui
