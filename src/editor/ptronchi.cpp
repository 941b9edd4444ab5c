#include "editor/ptronchi.h"

#include <algorithm>
#include <cmath>

#include "model/calcolo.h"
#include "model/interaction.h"
#include "model/materiali.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/raccordi.h"
#include "model/strings.h"

namespace varnex {

namespace {

// The leading number, rounded half to even, kept within `minimo`..`massimo`: a pasted text of many
// digits must not overflow the field it goes to.
int32_t InteroLimitato(std::string_view testo, int32_t minimo, int32_t massimo) {
  const double v = ArrotondaPari(Val(testo));
  if (!(v >= minimo)) return minimo;
  if (v > massimo) return massimo;
  return static_cast<int32_t>(v);
}

int16_t& Conteggio(TTronco& t, int i) {
  switch (i) {
    case 0: return t.ID_NCURVE;
    case 1: return t.ID_NRACCORDI;
    case 2: return t.ID_NGOMITI;
    case 3: return t.ID_NRUBINETTI;
    case 4: return t.ID_SPC5;
    case 5: return t.ID_SPC6;
    case 6: return t.ID_SPC7;
    case 7: return t.ID_SPC8;
    case 8: return t.ID_SPC9;
    default: return t.ID_SPC10;
  }
}

TRete& ReteDi(int16_t indice) { return BloccoReti[static_cast<size_t>(std::clamp<int16_t>(indice, 0, 1))]; }

std::string NomeSelezionato(const CampiTronco& campi) {
  if (campi.MaterialeSelezionato < 0 || campi.MaterialeSelezionato >= static_cast<int>(campi.Materiali.size()))
    return {};
  return campi.Materiali[static_cast<size_t>(campi.MaterialeSelezionato)];
}

}  // namespace

std::string TestoStr(float valore) {
  std::string s = Replace(TestoNumero(valore), ",", ".");
  return valore >= 0 ? " " + s : s;
}

std::string TestoStr(int32_t valore) {
  std::string s = TestoNumero(valore);
  return valore >= 0 ? " " + s : s;
}

int32_t NumeroIntero(std::string_view testo) { return InteroLimitato(testo, INT32_MIN, INT32_MAX); }

void ParametriTronco::ImpostaRete(std::string_view testo) {
  ReteAperta = static_cast<int16_t>(InteroLimitato(testo, 0, 1));
}

void ParametriTronco::ImpostaTronco(std::string_view testo) {
  TroncoAperto = static_cast<int16_t>(InteroLimitato(testo, 0, MaxTronchi));
}

CampiTronco ParametriTronco::Carica() {
  CampiTronco c;
  for (int16_t s = 1; s <= NumMateriali; ++s) c.Materiali.push_back(Materiali[static_cast<size_t>(s)][0].Nome);
  TTronco& t = ReteDi(ReteAperta).Tronchi[static_cast<size_t>(std::clamp<int16_t>(TroncoAperto, 0, MaxTronchi))];
  for (int i = 0; i < NumLocali; ++i) {
    c.LocaliAbilitati[static_cast<size_t>(i)] = t.ID_LEN != 0;
    c.EtichetteLocali[static_cast<size_t>(i)] = NomiSpeciali[static_cast<size_t>(i + 1)];
    c.Locali[static_cast<size_t>(i)] = TestoNumero(Conteggio(t, i));
  }
  c.Riferimento = t.ID_RIF;
  c.LunghezzaAggiuntiva = TestoStr(t.ID_EQLENNOTA);
  c.Provenienza = TestoStr(static_cast<int32_t>(t.ID_PREV));
  c.Lunghezza = TestoStr(t.ID_LEN);
  c.Diametro = t.ID_DIAMETRO;
  c.Contemporaneita = TestoNumero(t.ID_CONTEMP);
  c.ContempBloccato = IsTerminale(TroncoAperto);
  c.PannelloContemp = ReteInPressione != 0;
  if (!ReteInPressione) {
    for (size_t i = 4; i < NumLocali; ++i) {
      c.LocaliAbilitati[i] = false;
      c.EtichettaGrigia[i] = true;
    }
  }
  c.DiametroRosso = c.Bloccato = t.ID_DIAMCUSTOM != 0;
  StatoBloccoDiametro = 0;
  c.MaterialeSelezionato = c.Materiali.empty() ? -1 : 0;
  const auto trovato = std::find(c.Materiali.begin(), c.Materiali.end(), t.ID_MATERIALE);
  if (trovato != c.Materiali.end()) c.MaterialeSelezionato = static_cast<int>(trovato - c.Materiali.begin());
  return c;
}

bool ParametriTronco::ScriviDiametro(int16_t slot, const std::string& testo, int16_t serie) {
  TTronco& t = ReteDi(ReteAperta).Tronchi[static_cast<size_t>(slot)];
  // A label is a size of one series only: "22x1" fixed on a steel segment would be sized with an
  // inner diameter of 0 and no drop at all.
  if (testo != "0" && CercaDiametro(serie, testo) == 0) return false;
  if (StatoBloccoDiametro == 1) {
    t.ID_DIAMCUSTOM = 0;
  } else if (StatoBloccoDiametro == 2) {
    t.ID_DIAMCUSTOM = -1;
  } else if (testo != t.ID_DIAMETRO && testo != "Auto" && testo != "0") {
    t.ID_DIAMCUSTOM = -1;
  }
  // "0" stands for no size of the series ("Auto", an empty box): it can only be left to the calculation.
  if (testo == "0") t.ID_DIAMCUSTOM = 0;
  t.ID_DIAMETRO = testo;
  return true;
}

bool ParametriTronco::ScriviCampo(int16_t slot, int campo, const CampiTronco& campi, int16_t serie) {
  TTronco& t = ReteDi(ReteAperta).Tronchi[static_cast<size_t>(slot)];
  if (campo >= 0 && campo < NumLocali) {
    // A count is capped at 9999; the floor keeps a pasted huge negative within 16 bits.
    Conteggio(t, campo) = MinLong(InteroLimitato(campi.Locali[static_cast<size_t>(campo)], INT16_MIN, INT32_MAX), 9999);
  } else if (campo == 10) {
    t.ID_EQLENNOTA = static_cast<float>(ValDot(campi.LunghezzaAggiuntiva));
  } else if (campo == 11) {
    t.ID_CONTEMP = static_cast<int16_t>(InteroLimitato(campi.Contemporaneita, INT16_MIN, INT16_MAX));
  } else if (campo == 12) {
    t.ID_LEN = static_cast<float>(ValDot(campi.Lunghezza));
  } else if (campo == 13) {
    return ScriviDiametro(slot, campi.Diametro, serie);
  }
  return true;
}

void ParametriTronco::Salva(CampiTronco& campi, int16_t prima, int16_t ultima) {
  std::string nome = NomeSelezionato(campi);
  const int16_t serie = CercaMateriale(nome);
  const TSerieMateriale& righe = Materiali[static_cast<size_t>(serie)];
  bool offerto = false;
  for (int16_t r = 1; r <= std::min<int16_t>(righe[0].NumDiametri, MaxDiametri); ++r)
    if (righe[static_cast<size_t>(r)].RifDiametro == campi.Diametro) offerto = true;
  if (!offerto) campi.Diametro = "0";

  // The header row and anything past the last slot hold no segment.
  auto valido = [](int16_t slot) { return slot >= 1 && slot <= MaxTronchi; };
  if (prima == ultima) {
    if (!valido(prima)) return;
    RiprendiSlotVuoto(prima);
    for (int campo = 0; campo < NumCampiApplicabili; ++campo) ScriviCampo(prima, campo, campi, serie);
    TTronco& t = ReteDi(ReteAperta).Tronchi[static_cast<size_t>(prima)];
    t.IndiceMateriale = serie;
    t.ID_MATERIALE = Materiali[static_cast<size_t>(serie)][0].Nome;
    ProgettoModificato = -1;
    return;
  }
  // A range keeps each segment's own series, so a diameter goes only where that series has it.
  std::string esclusi;
  for (int16_t j = std::min(prima, ultima); j <= std::max(prima, ultima); ++j) {
    if (!valido(j)) continue;
    RiprendiSlotVuoto(j);
    for (int campo = 0; campo < NumCampiApplicabili; ++campo)
      if (CampiDaApplicare[static_cast<size_t>(campo)] &&
          !ScriviCampo(j, campo, campi, ReteDi(ReteAperta).Tronchi[static_cast<size_t>(j)].IndiceMateriale))
        esclusi += (esclusi.empty() ? "" : ", ") + std::to_string(j);
    ProgettoModificato = -1;
  }
  if (!esclusi.empty())
    MsgBox("Il diametro " + campi.Diametro + " non fa parte della serie di tubi dei tronchi " + esclusi +
               ":\r\nil loro diametro non e' stato cambiato.",
           Bottoni::OK, Icona::Esclamazione);
}

std::string ParametriTronco::RifiutoDiametro(const CampiTronco& campi) {
  const std::string testo = Trim(campi.Diametro);
  if (testo.empty() || testo == "0" || UCase(testo) == "AUTO") return {};
  std::string nome = NomeSelezionato(campi);
  const int16_t serie = CercaMateriale(nome);
  if (serie >= 1 && CercaDiametro(serie, testo) != 0) return {};
  return "Il diametro \"" + testo + "\" non fa parte della serie " + nome +
         ".\r\nScegliere un diametro della serie, oppure Auto.";
}

void ParametriTronco::CambiaBlocco(CampiTronco& campi, bool giu) {
  if (giu && !Trim(campi.Diametro).empty()) {
    campi.DiametroRosso = true;
    campi.Bloccato = true;
    StatoBloccoDiametro = 2;
    return;
  }
  campi.Bloccato = false;
  campi.DiametroRosso = false;
  StatoBloccoDiametro = 1;
}

bool TastoAmmesso(CampoTasti campo, int16_t tasto) {
  const bool cifra = tasto >= '0' && tasto <= '9';
  switch (campo) {
    case CampoTasti::Conteggio: return cifra || tasto == 8;
    case CampoTasti::Quantita:
    case CampoTasti::Lunghezza: return cifra || tasto == 8 || tasto == ',' || tasto == '.';
    case CampoTasti::Diametro: return cifra || tasto == 8 || tasto == ',' || tasto == '.' || tasto == '?';
    case CampoTasti::Materiali: return false;
  }
  return false;
}

std::string RifiutoQuantita(const std::string& nome, const std::string& testo) {
  const std::string t = Trim(testo);
  bool intero = true;
  for (char c : t) intero = intero && c >= '0' && c <= '9';
  if (intero) return {};
  return "\"" + t + "\" non e' un numero intero valido per " + nome + ".\r\nIl valore non e' stato cambiato.";
}

std::string SpinConteggio(std::string_view testo, bool su) {
  int32_t n = NumeroIntero(testo);
  if (su) {
    if (n < INT32_MAX) ++n;
  } else if (n > 0) {
    --n;
  }
  return TestoNumero(n);
}

std::string SpinContemporaneita(std::string_view testo, bool su) {
  int32_t n = NumeroIntero(testo);
  if (su) {
    if (n <= 95) return TestoNumero(n + 5);
    return "100";
  }
  if (n > 10) n -= 5;
  return TestoNumero(n);
}

std::string SpinTronco(std::string_view testo, bool su, int16_t numTronchi) {
  int32_t n = NumeroIntero(testo);
  if (su) {
    if (n < numTronchi) ++n;
  } else if (n > 1) {
    --n;
  }
  return TestoNumero(n);
}

std::string LimitaContemporaneita(std::string_view testo) {
  // A text that is no whole number stays as typed, for OK to refuse: "12,5" must not become 12.
  if (!RifiutoQuantita({}, std::string(testo)).empty()) return std::string(testo);
  const int32_t n = NumeroIntero(testo);
  if (n > 100) return "100";
  if (n < 10) return "10";
  return std::string(testo);
}

}  // namespace varnex
