#include "model/righe_testo.h"

#include "model/strings.h"

namespace varnex {

namespace {

// One paragraph (no line break) into lines.
void SpezzaParagrafo(const std::string& testo, double& larghezza, double altreRighe,
                     const std::function<double(const std::string&)>& misura, std::vector<std::string>& righe) {
  std::string riga;
  bool rigaAperta = false;  // the line holds something, even only blanks
  auto chiudi = [&]() {
    righe.push_back(riga);
    riga.clear();
    rigaAperta = false;
    larghezza = altreRighe;
  };
  size_t pos = 0;
  while (true) {
    size_t fine = testo.find(' ', pos);
    if (fine == std::string::npos) fine = testo.size();
    std::string parola = testo.substr(pos, fine - pos);
    const std::string prova = rigaAperta ? riga + " " + parola : parola;
    if (misura(prova) <= larghezza || (!rigaAperta && parola.empty())) {
      riga = prova;
      rigaAperta = true;
    } else {
      if (rigaAperta) {
        chiudi();
      } else if (larghezza < altreRighe && misura(parola) <= altreRighe) {
        chiudi();  // nothing fits in what is left of the current line: the word opens the next
      }
      // A word wider than a whole line is split where the line ends.
      while (misura(parola) > larghezza && Len(parola) > 1) {
        size_t n = 1;
        while (n + 1 <= Len(parola) && misura(Left(parola, static_cast<long>(n + 1))) <= larghezza) ++n;
        const std::string testa = Left(parola, static_cast<long>(n));
        riga = testa;
        chiudi();
        parola = parola.substr(testa.size());
      }
      riga = parola;
      rigaAperta = true;
    }
    if (fine >= testo.size()) break;
    pos = fine + 1;
  }
  righe.push_back(riga);
  larghezza = altreRighe;
}

}  // namespace

std::vector<std::string> SpezzaTesto(const std::string& testo, double primaRiga, double altreRighe,
                                     const std::function<double(const std::string&)>& misura) {
  std::vector<std::string> righe;
  double larghezza = primaRiga;
  size_t pos = 0;
  while (true) {
    size_t fine = testo.find('\n', pos);
    std::string paragrafo = testo.substr(pos, fine == std::string::npos ? std::string::npos : fine - pos);
    if (!paragrafo.empty() && paragrafo.back() == '\r') paragrafo.pop_back();
    SpezzaParagrafo(paragrafo, larghezza, altreRighe, misura, righe);
    if (fine == std::string::npos) break;
    pos = fine + 1;
  }
  return righe;
}

std::vector<std::string> Parole(const std::string& testo) {
  std::vector<std::string> parole;
  size_t pos = 0;
  while (pos <= testo.size()) {
    size_t fine = testo.find(' ', pos);
    if (fine == std::string::npos) fine = testo.size();
    if (fine > pos) parole.push_back(testo.substr(pos, fine - pos));
    pos = fine + 1;
  }
  return parole;
}

std::vector<std::string> RigheInColonna(IMisuraTabella& misura, const std::string& testo, double larghezza) {
  if (testo.empty()) return {};
  return SpezzaTesto(testo, larghezza, larghezza, [&](const std::string& s) { return misura.TextWidth(s); });
}

std::vector<std::string> RigheRiferimento(IMisuraTabella& misura, const std::string& testo, double larghezza) {
  std::vector<std::string> linee = RigheInColonna(misura, testo, larghezza);
  constexpr size_t ParolaCorta = 3;
  if (linee.size() < 2 || linee.back().find(' ') != std::string::npos || Len(linee.back()) > ParolaCorta) return linee;
  std::string& prima = linee[linee.size() - 2];
  const size_t spazio = prima.rfind(' ');
  if (spazio == std::string::npos) return linee;
  const std::string insieme = prima.substr(spazio + 1) + " " + linee.back();
  if (misura.TextWidth(insieme) > larghezza) return linee;
  prima.erase(spazio);
  linee.back() = insieme;
  return linee;
}

}  // namespace varnex
