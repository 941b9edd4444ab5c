#include "model/valori_archivio.h"

#include <cmath>
#include <limits>

#include "model/helpers.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/textfile.h"

namespace varnex {

namespace {

// Any finite single: a maximum drop or threshold not above 0 stands for its default.
constexpr double kNonPositivoPredefinito = -static_cast<double>(std::numeric_limits<float>::max());

struct Regola {
  IntervalloCampo intervallo;
  const char* unita;
};

// The ranges hold every real pipe and gas with room to spare, and keep the calculation's areas,
// velocities and drops finite: the thinnest capillary to the largest transmission main, hydrogen
// to the heaviest vapours and inert gases.
Regola RegolaCampo(CampoArchivio campo) {
  switch (campo) {
    case CampoArchivio::Spessore: return {{0, 200}, "mm"};
    case CampoArchivio::DiametroInterno: return {{0.5, 5000}, "mm"};
    case CampoArchivio::DiametroEsterno: return {{0.5, 5400}, "mm"};
    case CampoArchivio::PesoSpecifico: return {{0, 25000}, "kg/m3"};
    case CampoArchivio::Densita: return {{0.05, 10}, ""};
    case CampoArchivio::Viscosita: return {{1e-7, 1e-3}, "m2/s"};
    case CampoArchivio::PotereCalorifico: return {{1, 250}, "MJ/m3"};
    case CampoArchivio::PotereCalorificoInerte: return {{0, 250}, "MJ/m3"};
    case CampoArchivio::LunghezzaEquivalente: return {{0, 1000}, "m"};
    case CampoArchivio::PDCMassima: return {{kNonPositivoPredefinito, 100000}, "Pa"};
    case CampoArchivio::SogliaPotenza: return {{kNonPositivoPredefinito, 100000}, "kW"};
  }
  return {{0, 0}, ""};
}

bool IsCifraTesto(char c) { return c >= '0' && c <= '9'; }

}  // namespace

IntervalloCampo Intervallo(CampoArchivio campo) { return RegolaCampo(campo).intervallo; }

std::string TestoIntervallo(CampoArchivio campo) {
  const Regola r = RegolaCampo(campo);
  const std::string unita = *r.unita ? std::string(" ") + r.unita : std::string();
  if (r.intervallo.minimo == kNonPositivoPredefinito)
    return "fino a " + TestoNumero(r.intervallo.massimo) + unita + "; 0 per il valore predefinito";
  return "da " + TestoNumero(r.intervallo.minimo) + " a " + TestoNumero(r.intervallo.massimo) + unita;
}

bool ValoreAmmesso(CampoArchivio campo, double valore) {
  const IntervalloCampo i = Intervallo(campo);
  // The bounds as singles, like the values the fields hold: a bound such as 0.001 is then
  // admitted when typed, although its single lies just above the decimal.
  return std::isfinite(valore) && valore >= static_cast<float>(i.minimo) && valore <= static_cast<float>(i.massimo);
}

std::optional<double> NumeroArchivio(std::string_view testo) {
  const size_t inizio = testo.find_first_not_of(' ');
  if (inizio == std::string_view::npos) return std::nullopt;
  testo = testo.substr(inizio, testo.find_last_not_of(' ') + 1 - inizio);
  size_t i = 0;
  if (i < testo.size() && (testo[i] == '+' || testo[i] == '-')) ++i;
  bool cifre = false;
  while (i < testo.size() && IsCifraTesto(testo[i])) cifre = true, ++i;
  if (i < testo.size() && testo[i] == '.') {
    ++i;
    while (i < testo.size() && IsCifraTesto(testo[i])) cifre = true, ++i;
  }
  if (!cifre) return std::nullopt;
  if (i < testo.size() && (testo[i] == 'E' || testo[i] == 'e' || testo[i] == 'D' || testo[i] == 'd')) {
    ++i;
    if (i < testo.size() && (testo[i] == '+' || testo[i] == '-')) ++i;
    const size_t esponente = i;
    while (i < testo.size() && IsCifraTesto(testo[i])) ++i;
    if (i == esponente) return std::nullopt;
  }
  if (i != testo.size()) return std::nullopt;
  const double v = Val(testo);
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<float> SingoloArchivio(std::string_view testo) {
  const std::optional<double> v = NumeroArchivio(testo);
  if (!v || std::fabs(*v) > static_cast<double>(std::numeric_limits<float>::max())) return std::nullopt;
  const float f = static_cast<float>(*v);
  if (!std::isfinite(f)) return std::nullopt;
  return f;
}

std::optional<float> ValoreArchivio(std::string_view testo, CampoArchivio campo) {
  // The range is checked on the single the field will hold, as the editor checks what it stores.
  const std::optional<float> f = SingoloArchivio(testo);
  if (!f || !ValoreAmmesso(campo, *f)) return std::nullopt;
  return f;
}

std::optional<short> FlagArchivio(std::string_view testo) {
  const std::optional<double> v = NumeroArchivio(testo);
  if (!v) return std::nullopt;
  if (*v == 0) return short{0};
  if (*v == -1 || *v == 1) return short{-1};
  return std::nullopt;
}

std::string DifettoTestoArchivio(std::string_view testo) {
  if (IsRigaCommento(testo)) return "iniziare con \"#\" (la riga sarebbe letta come un commento)";
  if (testo.find('\t') != std::string_view::npos) return "contenere tabulazioni";
  if (testo.find_first_of("\r\n") != std::string_view::npos) return "contenere ritorni a capo";
  if (testo.find(',') != std::string_view::npos) return "contenere virgole (sarebbero rilette come punti)";
  // What Windows-1252 cannot hold the writer turns into "?": each such character is named.
  const std::string scritto = Utf8ToCp1252(testo);
  if (Cp1252ToUtf8(scritto) != testo) {
    std::string fuori;
    size_t i = 0;
    for (char c : scritto) {
      const std::string uno = Cp1252ToUtf8(std::string_view(&c, 1));
      if (testo.compare(i, uno.size(), uno) == 0) {
        i += uno.size();
        continue;
      }
      // The character that became this "?": up to the next byte that starts a character.
      size_t fine = i + 1;
      while (fine < testo.size() && (static_cast<unsigned char>(testo[fine]) & 0xC0) == 0x80) ++fine;
      if (fuori.find(testo.substr(i, fine - i)) == std::string::npos) {
        if (!fuori.empty()) fuori += " ";
        fuori += testo.substr(i, fine - i);
      }
      i = fine;
    }
    return "contenere caratteri che il file non puo' memorizzare (" + fuori + ")";
  }
  return {};
}

void RigheRifiutate::Aggiungi(size_t riga, std::string motivo) { righe_.emplace_back(riga, std::move(motivo)); }

std::string RigheRifiutate::Messaggio() const {
  std::string m = "Errori nel file " + nomeFile_ + " (" + std::to_string(righe_.size()) +
                  (righe_.size() == 1 ? " riga):" : " righe):");
  for (size_t k = 0; k < righe_.size() && k < RigheMostrate; ++k)
    m += "\r\nriga " + std::to_string(righe_[k].first) + ": " + righe_[k].second;
  if (righe_.size() > RigheMostrate) {
    const size_t altre = righe_.size() - RigheMostrate;
    m += "\r\ne " + (altre == 1 ? std::string("un'altra riga non valida.") : "altre " + std::to_string(altre) +
                                                                              " righe non valide.");
  }
  return m;
}

void RigheRifiutate::Mostra() const {
  if (!Vuota()) MsgBox(Messaggio());
}

}  // namespace varnex
