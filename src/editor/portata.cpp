#include "editor/portata.h"

#include <cmath>

#include "editor/celle.h"
#include "model/gas.h"
#include "model/helpers.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"

namespace varnex {

namespace {

// A part of a split number text that reads as a number in the regional form.
bool Numerico(std::string_view parte) { return LeggiRegionale(parte).has_value(); }

// The whole number formed by the first nine characters of a numeric part. Nine characters in
// exponent form (a pasted "1E+99") stand for no whole number at all and count as no number.
int64_t PrimiNove(std::string_view parte) {
  const std::optional<double> v = LeggiRegionale(Left(parte, 9));
  if (!v) return 0;
  const double r = ArrotondaPari(*v);
  if (!(std::abs(r) < 1e18)) return 0;
  return static_cast<int64_t>(r);
}

std::string SenzaBlank(std::string_view s) { return Replace(s, " ", ""); }

// Reading a text: leading number, "." as decimal point, blanks skipped.
double Leggi(std::string_view s) { return Val(s); }

}  // namespace

std::string RoundTesto(std::string_view s) {
  if (s.find(',') == std::string_view::npos) return std::string(s);
  const std::vector<std::string> parti = Split(s, ",");
  bool riporto = false;
  for (size_t i = parti.size() - 1; i >= 1; --i) {
    if (Numerico(parti[i])) {
      const int64_t v = PrimiNove(parti[i]) + (riporto ? 1 : 0);
      riporto = v >= 5000;
    } else {
      riporto = false;
    }
  }
  if (!Numerico(parti[0])) return "0";
  return TestoNumero(PrimiNove(parti[0]) + (riporto ? 1 : 0));
}

std::string InsertTousendSeparator(std::string_view s, std::string_view separator) {
  if (s.size() < 4) return std::string(s);
  std::string resto(s);
  std::string risultato;
  while (resto.size() >= 4) {
    const std::string ultimi = resto.substr(resto.size() - 3);
    resto.erase(resto.size() - 3);
    risultato = risultato.empty() ? ultimi : ultimi + std::string(separator) + risultato;
  }
  return resto + std::string(separator) + risultato;
}

std::string InsertTousendSeparatorInDecimalValue(std::string_view s, std::string_view separator) {
  for (const char* marca : {",", "."}) {
    if (s.find(marca) == std::string_view::npos) continue;
    const std::vector<std::string> parti = Split(s, marca);
    const std::string seconda = parti.size() > 1 ? parti[1] : std::string();
    if (parti[0].empty()) return "0" + std::string(marca) + seconda;
    return InsertTousendSeparator(parti[0], separator) + marca + seconda;
  }
  return InsertTousendSeparator(s, separator);
}

std::string TestoSemplice(double valore) { return TestoNumero(valore); }

std::string TestoPortata(float portata) { return FormatNumero(portata, 2); }

RisultatoPortata Ricalcola(FontePortata fonte, int32_t potenzaFornelli, std::string_view testo,
                           float potereCalorifico) {
  double w = 0;
  double kcal = 0;
  float q = 0;
  // A heating value of 0 would divide by zero: the flow is then 0, and so is the power from a flow.
  const bool pcValido = potereCalorifico > 0;
  const auto portataDa = [&](double watt) {
    return pcValido ? static_cast<float>(watt / 1000 * 3.6 / potereCalorifico) : 0.0f;
  };
  switch (fonte) {
    case FontePortata::Fornelli:
      w = potenzaFornelli;
      kcal = w * 0.86;
      q = portataDa(w);
      break;
    case FontePortata::Watt:
      w = Leggi(RoundTesto(Replace(SenzaBlank(testo), ".", "")));
      kcal = Leggi(RoundTesto(TestoSemplice(w * 0.86)));
      q = portataDa(w);
      break;
    case FontePortata::Kcal:
      kcal = Leggi(RoundTesto(Replace(SenzaBlank(testo), ".", "")));
      w = Leggi(RoundTesto(TestoSemplice(kcal / 0.86)));
      q = portataDa(w);
      break;
    case FontePortata::Nmc: {
      q = static_cast<float>(Leggi(CommaToDot(SenzaBlank(testo))));
      // The heating value times the flow is a single-precision product, as the conversion always was.
      const float prodotto = potereCalorifico * q * 1000.0f;
      w = Leggi(RoundTesto(TestoSemplice(prodotto / 3.6)));
      kcal = Leggi(RoundTesto(TestoSemplice(w * 0.86)));
      break;
    }
  }
  RisultatoPortata r;
  r.Watt = InsertTousendSeparator(TestoSemplice(w), " ");
  r.Kcal = InsertTousendSeparator(TestoSemplice(kcal), " ");
  r.Nmc = InsertTousendSeparatorInDecimalValue(TestoPortata(q), " ");
  r.Portata = q;
  return r;
}

float PotereCalorificoUtenza(int16_t tipologia) { return tipologia == 1 ? GasCorrente.PCS : GasCorrente.PCI; }

std::string CodificaComposizione(const std::array<bool, NumFornelli>& spunte) {
  std::string s;
  for (bool b : spunte) s += b ? "1" : "0";
  return s;
}

EsitoTasto FiltraTastoUnita(BoxUnita box, std::string_view testo, bool selezione, int16_t tasto) {
  EsitoTasto esito{tasto, false, {}};
  const size_t limite = box == BoxUnita::Nmc ? 7 : 8;
  if (Len(Trim(testo)) > limite && !selezione && tasto != 8) esito.Tasto = 0;
  const bool cifra = tasto >= '0' && tasto <= '9';
  // A comma or point kept out of a power box would join the digits around it: "1500,5" W read as
  // 15005 W. They reach every box, and OK refuses a text that is no number.
  const bool decimale = tasto == ',' || tasto == '.';
  if (!cifra && tasto != 8 && !decimale) esito.Tasto = 0;
  if (box == BoxUnita::Watt) return esito;
  std::string prova(testo);
  if (esito.Tasto != 0) prova += static_cast<char>(esito.Tasto);
  const double cap = box == BoxUnita::Kcal ? 850000000.0 : 10000.0;
  // The kcal/h box groups thousands with points, as OK reads it: "850.000.001" is above the limit.
  const double valore = box == BoxUnita::Kcal ? LeggiConMigliaia(prova).value_or(Val(prova)) : Val(prova);
  if (valore > cap) {
    esito.Tasto = 0;
    esito.Sostituisci = true;
    esito.NuovoTesto = box == BoxUnita::Kcal ? "850000000" : "10000,00";
  }
  return esito;
}

std::string RifiutoBoxUnita(BoxUnita box, std::string_view testo) {
  std::string senzaBlank;
  for (char c : testo)
    if (c != ' ') senzaBlank += c;
  const char* nome = box == BoxUnita::Watt ? "la potenza in W" : box == BoxUnita::Kcal ? "la potenza in kcal/h"
                                                                                       : "la portata in Nmc/h";
  // The powers are read with their points taken out, as groups of thousands: a point that groups
  // none ("1500.5") would be read as 15005.
  if (box != BoxUnita::Nmc && !LeggiConMigliaia(senzaBlank))
    return "\"" + senzaBlank + "\" non e' un numero valido per " + nome +
           ": il punto separa solo le migliaia, la virgola i decimali.\r\nIl valore non e' stato cambiato.";
  // Points that group thousands are taken out before the number is judged: "1.500,5" is 1500,5,
  // as "1.500" is 1500 and "1500,5" is 1500,5.
  const std::string numero = box == BoxUnita::Nmc ? senzaBlank : Replace(senzaBlank, ".", "");
  std::string rifiuto = RifiutoNumero(nome, numero);
  // The message quotes the text as typed.
  if (const size_t chiusa = rifiuto.find('"', 1); !rifiuto.empty() && rifiuto[0] == '"' && chiusa != std::string::npos)
    return "\"" + senzaBlank + rifiuto.substr(chiusa);
  if (!rifiuto.empty()) return rifiuto;
  // The limits the keys keep to hold for a pasted text too, thousands points or not.
  if (box != BoxUnita::Watt) {
    const double limite = box == BoxUnita::Kcal ? 850000000.0 : 10000.0;
    if (NumeroCella(CommaToDot(numero)).value_or(0.0) > limite)
      return "\"" + senzaBlank + "\" supera il limite di " + (box == BoxUnita::Kcal ? "850.000.000" : "10.000") + " per " +
             nome + ".\r\nIl valore non e' stato cambiato.";
  }
  return {};
}

float LeggiPortata(std::string_view testo) { return static_cast<float>(ValDot(testo)); }

void ApplicaPortataUtenza(int16_t seg, float portata, int16_t tipologia, const std::string* composizione) {
  if (seg < 0 || seg > MaxTronchi) return;
  TTronco& t = Tronco(seg);
  t.ID_P_UTENZE = portata;
  t.ID_P_TRONCO = t.ID_P_UTENZE;
  t.TipologiaUtenza = tipologia;
  if (composizione) t.ComposizioneUtenza = *composizione;
  // A new appliance is a change the user must be asked to save.
  ProgettoModificato = -1;
}

}  // namespace varnex
