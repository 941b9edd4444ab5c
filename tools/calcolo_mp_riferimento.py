#!/usr/bin/env python3
"""Reference results of the pressurised calculation, written from the formulas alone.

It sizes a few small pressurised networks segment by segment (flows, the list of members, each
member's path sharing what is left of the budget, the segments left over, the pressures and the
velocities), emulating single precision where the calculation keeps single values, and prints
for each network the results every segment must show after CalcolaRete. The drops come from
tools/formule_mp_riferimento.py. tests/model/calcolo_mp_test.cpp holds the printed lines.

Run from the repository root: python3 tools/calcolo_mp_riferimento.py
"""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from formule_mp_riferimento import f32, perdita_mp, perdita_unitaria_mp  # noqa: E402

PRESSIONE_INIZIALE = 200.0
PRESSIONE_FINALE = 150.0
VELOCITA_MAX = f32(15.0)
TIPO = 1  # steel
SERIE = [("1/2", 16.1), ("3/4", 21.7), ("1", 27.3), ("1 1/4", 36.0), ("1 1/2", 41.9), ("2", 53.1)]
SERIE = [(l, f32(d)) for l, d in SERIE]


def diametro(label):
    for l, d in SERIE:
        if l == label:
            return d
    return 0.0


class Tronco:
    def __init__(self, padre, lunghezza, utenza):
        self.padre, self.lunghezza, self.utenza = padre, f32(lunghezza), f32(utenza)
        self.figli = []
        self.diametro = ""
        self.portata = self.eq = self.pdc = self.pfinale = self.piniziale = self.velocita = 0.0
        self.percorso_len = self.percorso_pdc = 0.0
        self.dimensionato = False
        self.residua = self.uscita = 0.0


def calcola(segmenti):
    t = {0: Tronco(0, 0, 0)}
    for i, (padre, lunghezza, utenza) in enumerate(segmenti, start=1):
        t[i] = Tronco(padre, lunghezza, utenza)
        if padre:
            t[padre].figli.append(i)
    n = len(segmenti)

    def portate(s):  # every percentage 100
        somma = f32(sum(portate(c) for c in t[s].figli) + t[s].utenza)
        t[s].portata = somma
        return somma

    portate(1)
    for s in range(1, n + 1):
        t[s].eq = t[s].lunghezza  # no fittings

    def percorso(s, u):
        t[s].percorso_len = f32(t[s].eq + u)
        for c in t[s].figli:
            percorso(c, t[s].percorso_len)

    percorso(1, 0.0)

    # The members: segments whose children are all ends, keyed by their longest path; sorted by
    # key, equal keys in slot order.
    membri = []
    for s in range(1, n + 1):
        t[s].residua = t[s].eq
        if t[s].figli and not any(t[c].figli for c in t[s].figli):
            chiave = max([t[c].percorso_len for c in t[s].figli] + [0.0])
            membri.append((s, chiave))
            t[s].residua = chiave
    membri.sort(key=lambda m: -m[1])

    t[0].uscita = f32(PRESSIONE_INIZIALE)
    t[0].pfinale = f32(PRESSIONE_INIZIALE)

    def scegli(s, budget, lunghezza):
        x = t[s]
        if lunghezza == 0:
            return
        p1 = x.piniziale
        consentita = f32(budget / lunghezza)
        q = x.portata
        accettata = False
        if q > 0 and x.eq > 0:
            for label, d in SERIE:
                u = f32(perdita_unitaria_mp(f32(d / 1000.0), q, p1, TIPO))
                if u < 0 or u > consentita:
                    continue
                pdc = f32(perdita_mp(p1, f32(d / 1000.0), q, x.eq, TIPO))
                pfin = f32(p1 - pdc)
                v = q * 1000 * 0.3537 / (d * d) * 2 * 101.325 / (pfin + p1 + 202.65)
                if pdc >= 0 and v <= VELOCITA_MAX and f32(pdc / x.eq) <= consentita:
                    x.diametro, x.pdc, x.pfinale = label, pdc, pfin
                    accettata = True
                    break
            if not accettata:
                label, d = SERIE[-1]
                x.diametro = label
                x.pdc = f32(perdita_mp(p1, f32(d / 1000.0), q, x.eq, TIPO))
                x.dimensionato = True
                return
        x.dimensionato = True

    def dimensiona_percorso(m, lunghezza):
        strada = [m]
        a = t[m].padre
        while a != 0 and not t[a].dimensionato:
            strada.append(a)
            a = t[a].padre
        budget = f32(PRESSIONE_INIZIALE - PRESSIONE_FINALE)
        pressione = PRESSIONE_INIZIALE
        if a != 0:
            lunghezza = f32(lunghezza - t[a].residua)
            pressione = t[a].uscita
            budget = f32(budget - (PRESSIONE_INIZIALE - pressione))
        for s in reversed(strada):
            x = t[s]
            x.piniziale = f32(pressione)
            scegli(s, budget, lunghezza)
            budget = f32(budget - x.pdc)
            x.pfinale = f32(x.piniziale - x.pdc)
            pressione = pressione - x.pdc
            x.uscita = f32(pressione)
            lunghezza = f32(lunghezza - x.eq)
        return lunghezza

    if membri:
        dimensiona_percorso(membri[0][0], membri[0][1])
        while True:
            altri = [m for m, _ in membri[1:] if not t[m].dimensionato]
            if not altri:
                break
            t[altri[0]].residua = dimensiona_percorso(altri[0], t[altri[0]].residua)
    for s in range(1, n + 1):
        if t[s].dimensionato:
            continue
        a = t[s].padre
        t[s].piniziale = t[a].pfinale
        scegli(s, f32(t[a].uscita - PRESSIONE_FINALE), t[s].eq)

    def pressioni(s, u):
        t[s].percorso_pdc = f32(t[s].pdc + u)
        t[s].pfinale = f32(PRESSIONE_INIZIALE - t[s].percorso_pdc)
        for c in t[s].figli:
            pressioni(c, t[s].percorso_pdc)

    pressioni(1, 0.0)
    for s in range(1, n + 1):
        x = t[s]
        d = diametro(x.diametro)
        x.velocita = 0.0 if d <= 0 else f32(
            x.portata * 1000 * 0.3537 / (d * d) * 2 * 101.325 / (x.pfinale + x.piniziale + 202.65))
    return [t[s] for s in range(1, n + 1)]


RETI = {
    # Two appliance branches under a common segment, and a third one off the first segment.
    "DueRami": [(0, 50, 0), (1, 80, 0), (2, 10, 20), (2, 10, 20), (1, 20, 0), (5, 5, 10)],
    # A long chain to one appliance, a short branch beside it.
    "Catena": [(0, 30, 0), (1, 40, 0), (2, 60, 0), (3, 15, 35), (2, 8, 4)],
    # Long pipes and small flows: the budget, not the velocity, chooses the rows, and the branch
    # off the first segment has only what the longest path left.
    "Lunga": [(0, 600, 0), (1, 900, 0), (2, 400, 14), (2, 300, 9), (1, 700, 0), (5, 500, 8)],
}


def main():
    for nome, segmenti in RETI.items():
        for s, x in enumerate(calcola(segmenti), start=1):
            print('{"%s", %d, "%s", %.9gf, %.9gf, %.9gf},' % (nome, s, x.diametro, x.pdc, x.pfinale, x.velocita))


if __name__ == "__main__":
    main()
