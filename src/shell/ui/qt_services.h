// The Qt implementations of the services, and the bundle the program installs at start-up.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "shell/settings.h"
#include "shell/ui/qt_interaction.h"
#include "shell/ui/services.h"

namespace varnex::ui {

class QtDialoghi final : public IDialoghi {
 public:
  int Esegui(QDialog& dialogo) override;
};

class QtFileDialoghi final : public IFileDialoghi {
 public:
  std::optional<std::string> ApriFile(const std::string& titolo, const std::string& filtro,
                                      const std::string& cartella) override;
  std::optional<std::string> SalvaFile(const std::string& titolo, const std::string& filtro,
                                       const std::string& cartella, const std::string& nome) override;
  std::optional<std::string> ScegliCartella(const std::string& titolo, const std::string& cartella) override;
};

// The system's filter form ("Impianti (*.RTG)|*.RTG") as Qt's ("Impianti (*.RTG *.rtg)"). Every
// pattern is also given in the other letter case, because names on this file system are
// case-sensitive and archives written elsewhere may differ in case.
QString FiltroQt(const std::string& filtro);

class QtDesktop final : public IDesktop {
 public:
  bool Apri(const std::string& percorso) override;
};

class QtProcesso final : public IProcesso {
 public:
  void Termina(int codice) override;
};

// The settings store as an INI file: the user's configuration folder ("Varnex/Varnex.ini"), or
// "Varnex.ini" in the given folder (tests). Every write reaches the disk at once.
class QtImpostazioni final : public IImpostazioni {
 public:
  explicit QtImpostazioni(const QString& cartella = {});
  std::optional<std::string> Leggi(const std::string& sezione, const std::string& chiave) override;
  bool Scrivi(const std::string& sezione, const std::string& chiave, const std::string& valore) override;
  bool ScriviVarie(const std::string& sezione, const std::vector<std::pair<std::string, std::string>>& valori) override;
  QString Percorso() const { return settings_->fileName(); }
  std::string File() const override;

 private:
  std::unique_ptr<QSettings> settings_;
};

// Every Qt service, installed for the life of the object (the program's main holds one).
class ServiziQt {
 public:
  explicit ServiziQt(const QString& cartellaImpostazioni = {});
  ~ServiziQt();
  ServiziQt(const ServiziQt&) = delete;
  ServiziQt& operator=(const ServiziQt&) = delete;

 private:
  QtInterazione interazione_;
  QtDialoghi dialoghi_;
  QtFileDialoghi fileDialoghi_;
  QtDesktop desktop_;
  QtProcesso processo_;
  QtImpostazioni impostazioni_;
};

}  // namespace varnex::ui
