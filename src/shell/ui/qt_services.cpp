#include "shell/ui/qt_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QStringList>
#include <QUrl>
#include <cstdlib>

#include "model/interaction.h"
#include "shell/mru.h"

namespace varnex::ui {

int QtDialoghi::Esegui(QDialog& dialogo) { return dialogo.exec(); }

QString FiltroQt(const std::string& filtro) {
  const QStringList parti = QS(filtro).split(QLatin1Char('|'));
  QStringList voci;
  for (qsizetype i = 0; i < parti.size(); i += 2) {
    // A lone last part is a list of patterns without description.
    const bool solo = i + 1 >= parti.size();
    QString descrizione = solo ? QString() : parti[i].trimmed();
    QString modelli = solo ? parti[i] : parti[i + 1];
    // Qt reads the patterns from the last parenthesis of the entry: drop the one of the text.
    qsizetype aperta = descrizione.lastIndexOf(QLatin1Char('('));
    if (aperta >= 0 && descrizione.endsWith(QLatin1Char(')'))) descrizione = descrizione.left(aperta).trimmed();
    QStringList elenco;
    for (const QString& m : modelli.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      for (const QString& variante : {m.trimmed(), m.trimmed().toLower(), m.trimmed().toUpper()})
        if (!variante.isEmpty() && !elenco.contains(variante)) elenco << variante;
    }
    voci << (descrizione.isEmpty() ? elenco.join(QLatin1Char(' '))
                                   : descrizione + QStringLiteral(" (") + elenco.join(QLatin1Char(' ')) + QLatin1Char(')'));
  }
  return voci.join(QStringLiteral(";;"));
}

std::optional<std::string> QtFileDialoghi::ApriFile(const std::string& titolo, const std::string& filtro,
                                                     const std::string& cartella) {
  const RitornoFuoco ritorno;
  QString scelto = QFileDialog::getOpenFileName(ProprietarioDialoghi(), QS(titolo), QS(cartella), FiltroQt(filtro));
  if (scelto.isEmpty()) return std::nullopt;
  return SS(scelto);
}

std::optional<std::string> QtFileDialoghi::SalvaFile(const std::string& titolo, const std::string& filtro,
                                                      const std::string& cartella, const std::string& nome) {
  const RitornoFuoco ritorno;
  QString iniziale = QS(cartella);
  if (!nome.empty()) iniziale = iniziale.isEmpty() ? QS(nome) : iniziale + QLatin1Char('/') + QS(nome);
  // The callers add the default extension and ask about an existing file themselves: the dialog
  // would ask about the name as typed, before the extension, and then ask a second time.
  QString scelto = QFileDialog::getSaveFileName(ProprietarioDialoghi(), QS(titolo), iniziale, FiltroQt(filtro),
                                                nullptr, QFileDialog::DontConfirmOverwrite);
  if (scelto.isEmpty()) return std::nullopt;
  return SS(scelto);
}

std::optional<std::string> QtFileDialoghi::ScegliCartella(const std::string& titolo, const std::string& cartella) {
  const RitornoFuoco ritorno;
  QString scelta = QFileDialog::getExistingDirectory(ProprietarioDialoghi(), QS(titolo), QS(cartella));
  if (scelta.isEmpty()) return std::nullopt;
  return SS(scelta);
}

bool QtDesktop::Apri(const std::string& percorso) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QS(percorso)));
}

void QtProcesso::Termina(int codice) {
  // The recent-files list saves itself when released; the store must still be there for it.
  FileRecenti.save();
  ImpostaImpostazioni(nullptr);
  std::exit(codice);
}

QtImpostazioni::QtImpostazioni(const QString& cartella) {
  const QString app = QString::fromLatin1(NomeApplicazione);
  if (cartella.isEmpty())
    settings_ = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, app, app);
  else
    settings_ = std::make_unique<QSettings>(cartella + QLatin1Char('/') + app + QStringLiteral(".ini"),
                                            QSettings::IniFormat);
}

std::string QtImpostazioni::File() const { return SS(Percorso()); }

std::optional<std::string> QtImpostazioni::Leggi(const std::string& sezione, const std::string& chiave) {
  const QString k = QS(sezione) + QLatin1Char('/') + QS(chiave);
  if (!settings_->contains(k)) return std::nullopt;
  const QVariant v = settings_->value(k);
  // A value edited by hand with an unquoted comma reads back as a list.
  if (v.metaType().id() == QMetaType::QStringList) return SS(v.toStringList().join(QStringLiteral(", ")));
  return SS(v.toString());
}

bool QtImpostazioni::Scrivi(const std::string& sezione, const std::string& chiave, const std::string& valore) {
  return ScriviVarie(sezione, {{chiave, valore}});
}

bool QtImpostazioni::ScriviVarie(const std::string& sezione,
                                 const std::vector<std::pair<std::string, std::string>>& valori) {
  // The file is written and flushed to the disk once, and only when a value changes: the list of
  // recent files saved on every opening would otherwise rewrite it once per entry.
  bool cambiate = false;
  for (const auto& [chiave, valore] : valori) {
    const QString k = QS(sezione) + QLatin1Char('/') + QS(chiave);
    const QString v = QS(valore);
    const QVariant attuale = settings_->value(k);
    if (settings_->status() == QSettings::NoError && attuale.metaType().id() == QMetaType::QString &&
        attuale.toString() == v)
      continue;
    settings_->setValue(k, v);
    cambiate = true;
  }
  if (cambiate) settings_->sync();
  return settings_->status() == QSettings::NoError;
}

ServiziQt::ServiziQt(const QString& cartellaImpostazioni) : impostazioni_(cartellaImpostazioni) {
  ImpostaInterazione(&interazione_);
  ImpostaDialoghi(&dialoghi_);
  ImpostaFileDialoghi(&fileDialoghi_);
  ImpostaDesktop(&desktop_);
  ImpostaProcesso(&processo_);
  ImpostaImpostazioni(&impostazioni_);
}

ServiziQt::~ServiziQt() {
  ImpostaImpostazioni(nullptr);
  ImpostaProcesso(nullptr);
  ImpostaDesktop(nullptr);
  ImpostaFileDialoghi(nullptr);
  ImpostaDialoghi(nullptr);
  ImpostaInterazione(nullptr);
}

}  // namespace varnex::ui
