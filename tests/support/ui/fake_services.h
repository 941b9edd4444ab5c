// Scripted stand-ins for the window services: the user in front of modal dialogs and file
// dialogs, the desktop and the end of the process. Each installs itself for its lifetime.
// Header-only, so that every window-test program can use them as they are.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/ui/services.h"

namespace varnex::test {

// Plays the user in front of modal dialogs. Each expected dialog is named (object name or class
// name) and gets an action that runs while it is up; a dialog the action leaves open is closed
// with its window's close box. A dialog nobody expected fails the test and is closed the same way.
class FakeDialoghi : public ui::IDialoghi {
 public:
  using Azione = std::function<void(QDialog&)>;

  FakeDialoghi() { ui::ImpostaDialoghi(this); }
  ~FakeDialoghi() override {
    ui::ImpostaDialoghi(nullptr);
    for (const auto& a : attesi_) ADD_FAILURE() << "expected dialog never shown: " << a.nome;
  }

  void Attendi(std::string nome, Azione azione = {}) { attesi_.push_back({std::move(nome), std::move(azione)}); }

  int Esegui(QDialog& dialogo) override {
    const std::string classe = dialogo.metaObject()->className();
    const std::string nome = dialogo.objectName().toStdString();
    visti.push_back(nome.empty() ? classe : nome);
    dialogo.show();
    QApplication::processEvents();
    if (attesi_.empty()) {
      ADD_FAILURE() << "unexpected dialog: " << visti.back();
    } else {
      Atteso a = std::move(attesi_.front());
      attesi_.pop_front();
      EXPECT_TRUE(a.nome == nome || a.nome == classe) << "dialog " << visti.back() << " shown, " << a.nome << " expected";
      if (a.azione) a.azione(dialogo);
    }
    if (dialogo.isVisible()) dialogo.close();
    return dialogo.result();
  }

  // Clicks the button whose text is `testo` (the first one found).
  static Azione Clicca(const QString& testo) {
    return [testo](QDialog& d) {
      for (QAbstractButton* b : d.findChildren<QAbstractButton*>())
        if (b->text() == testo) {
          b->click();
          return;
        }
      ADD_FAILURE() << "no button " << testo.toStdString();
    };
  }
  // Closes the window with its close box.
  static Azione ChiudiFinestra() {
    return [](QDialog& d) { d.close(); };
  }

  std::vector<std::string> visti;

 private:
  struct Atteso {
    std::string nome;
    Azione azione;
  };
  std::deque<Atteso> attesi_;
};

// File and folder dialogs answered from a script; every request is recorded.
class FakeFileDialoghi : public ui::IFileDialoghi {
 public:
  struct Richiesta {
    std::string tipo;  // "apri", "salva", "cartella"
    std::string titolo, filtro, cartella, nome;
  };

  FakeFileDialoghi() { ui::ImpostaFileDialoghi(this); }
  ~FakeFileDialoghi() override {
    ui::ImpostaFileDialoghi(nullptr);
    for (const auto& r : risposte_) ADD_FAILURE() << "scripted file dialog answer never used: " << r.value_or("(annulla)");
  }

  // The answer to the next dialog: a path, or nullopt for "Annulla".
  void Rispondi(std::optional<std::string> risposta) { risposte_.push_back(std::move(risposta)); }

  std::optional<std::string> ApriFile(const std::string& titolo, const std::string& filtro,
                                      const std::string& cartella) override {
    return Prossima({"apri", titolo, filtro, cartella, {}});
  }
  std::optional<std::string> SalvaFile(const std::string& titolo, const std::string& filtro, const std::string& cartella,
                                       const std::string& nome) override {
    return Prossima({"salva", titolo, filtro, cartella, nome});
  }
  std::optional<std::string> ScegliCartella(const std::string& titolo, const std::string& cartella) override {
    return Prossima({"cartella", titolo, {}, cartella, {}});
  }

  std::vector<Richiesta> richieste;

 private:
  std::optional<std::string> Prossima(Richiesta r) {
    richieste.push_back(std::move(r));
    if (risposte_.empty()) {
      ADD_FAILURE() << "unexpected file dialog: " << richieste.back().titolo;
      return std::nullopt;
    }
    auto risposta = risposte_.front();
    risposte_.pop_front();
    return risposta;
  }
  std::deque<std::optional<std::string>> risposte_;
};

// Records what the program asked the desktop to open.
class FakeDesktop : public ui::IDesktop {
 public:
  FakeDesktop() { ui::ImpostaDesktop(this); }
  ~FakeDesktop() override { ui::ImpostaDesktop(nullptr); }
  bool Apri(const std::string& percorso) override {
    aperti.push_back(percorso);
    return riesce;
  }
  std::vector<std::string> aperti;
  bool riesce = true;
};

// Records the ends of the process instead of ending it.
class FakeProcesso : public ui::IProcesso {
 public:
  FakeProcesso() { ui::ImpostaProcesso(this); }
  ~FakeProcesso() override { ui::ImpostaProcesso(nullptr); }
  void Termina(int codice) override { codici.push_back(codice); }
  std::vector<int> codici;
};

}  // namespace varnex::test
