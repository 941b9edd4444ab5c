#!/usr/bin/env python3
"""Reference results of the low-pressure calculation, written from the formulas alone.

It computes a few networks step by step, emulating single precision where the calculation keeps
single values, and writes tests/fixtures/calcolo_riferimento.txt: for each network its segments
(inputs) and the results every segment must show after CalcolaRete. The C++ test reads the file
and compares segment by segment, so the two implementations check each other.

Run from the repository root: python3 tools/calcolo_riferimento.py
"""

import math
import random
import struct


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


# ---- Test archive (the C++ test sets up exactly the same) -------------------------------------

VISCOSITA = f32(1.4e-5)
MASSA_VOLUMICA = f32(0.7)
PCI = f32(34.02)
FAMIGLIA = 2
SOGLIA = f32(35.0)
PDC_TABELLA = {1: {1: 50.0, 2: 100.0, 3: 200.0}, 2: {1: 50.0, 2: 50.0, 3: 200.0}}
PRESSIONE_INIZIALE = 2500.0  # used as stored, whatever its unit

SERIE = [  # label, inner diameter (mm)
    ("1/2", 16.0), ("3/4", 21.6), ("1", 27.2), ("1 1/4", 35.9), ("1 1/2", 41.8), ("2", 53.0),
    ("2 1/2", 68.8), ("3", 80.8), ("4", 105.3),
]
SERIE = [(l, f32(d)) for l, d in SERIE]

# Family I/II built-in fittings by class 1..4: bend, tee, elbow, valve.
SPECIALI = {1: [0.2, 0.5, 0.8, 1.5], 2: [0.8, 2.0, 4.0, 6.5], 3: [1.0, 1.5, 3.0, 4.5],
            4: [0.3, 0.8, 1.5, 2.0]}
SPECIALI = {k: [f32(v) for v in vs] for k, vs in SPECIALI.items()}


def diametro_interno(label):
    for l, d in SERIE:
        if l == label:
            return d
    return 0.0


def riga(label):
    for i, (l, _) in enumerate(SERIE, start=1):
        if l == label:
            return i
    return 0


def classe(d):
    if d <= f32(22.3):
        return 1
    if d <= f32(53.9):
        return 2
    if d <= f32(81.7):
        return 3
    return 4


class Tronco:
    def __init__(self):
        self.prev = self.left = self.right = 0
        self.utenze = 0.0
        self.len = 0.0
        self.ncurve = self.ngomiti = self.nraccordi = self.nrubinetti = 0
        self.eqlennota = 0.0
        self.diametro = ""
        self.custom = 0
        self.p_tronco = 0.0
        self.eq_len = 0.0
        self.lp = 0.0
        self.pdc = 0.0
        self.pdc_perc = 0.0
        self.pfin = 0.0
        self.vel = 0.0
        self.collegato = 0
        self.contemp = 100


class Rete:
    def __init__(self, n):
        self.n = n
        self.t = [Tronco() for _ in range(202)]
        self.dim = [0] * 202
        self.res = [0.0] * 202
        self.cum = [0.0] * 202
        self.lista = []

    def terminale(self, s):
        return not (self.t[s].left > 0 or self.t[s].right > 0)

    # -- flows, lengths, drops
    def portate(self, s):
        t = self.t[s]
        sx = self.portate(t.left) if t.left >= 1 else 0.0
        dx = self.portate(t.right) if t.right >= 1 else 0.0
        somma = f32(f32(sx + t.utenze) + dx)
        t.p_tronco = somma
        t.collegato = -1
        return somma

    def eq_len(self, modo, s):
        t = self.t[s]
        d = diametro_interno(t.diametro) if modo == 1 else 100.0
        c = classe(d) - 1
        k = {f: SPECIALI[f][c] for f in SPECIALI}
        l = f32(t.ncurve * k[1])
        l = f32(l + t.len)
        l = f32(l + f32(t.ngomiti * k[3]))
        l = f32(l + f32(t.nraccordi * k[2]))
        l = f32(l + f32(t.nrubinetti * k[4]))
        l = f32(l + t.eqlennota)
        t.eq_len = l

    def percorso(self, s, u):
        if s == 0:
            return
        t = self.t[s]
        t.lp = f32(t.eq_len + u)
        self.percorso(t.left, t.lp)
        self.percorso(t.right, t.lp)

    def pressioni(self, s, u):
        if s == 0:
            return
        t = self.t[s]
        t.pdc_perc = -1.0 if (t.pdc < 0 or u < 0) else f32(t.pdc + u)
        t.pfin = f32(PRESSIONE_INIZIALE - t.pdc_perc)
        self.pressioni(t.left, t.pdc_perc)
        self.pressioni(t.right, t.pdc_perc)

    def pdc_massima(self):
        p = f32(f32(PCI * self.t[1].p_tronco) * (1 / 3.6))
        return f32(PDC_TABELLA[1 if p <= SOGLIA else 2][FAMIGLIA])

    def verifica(self):
        m = self.pdc_massima()
        return all(self.t[i].pdc_perc <= m for i in range(1, self.n + 1) if self.t[i].collegato)

    # -- sizing
    def costruisci(self):
        self.lista = []
        for i in range(1, self.n + 1):
            self.dim[i] = 0
            self.res[i] = self.t[i].eq_len
            if self.terminale(i):
                continue
            figli = [c for c in (self.t[i].left, self.t[i].right) if c > 0]
            if any(not self.terminale(c) for c in figli):
                continue
            chiave = max(self.t[self.t[i].left].lp, self.t[self.t[i].right].lp)
            self.lista.append((i, chiave))
            self.res[i] = chiave
        # stable, largest first
        self.lista.sort(key=lambda p: -p[1])

    def primo(self):
        for v, _ in self.lista[1:]:
            if self.dim[v] == 0:
                return v
        return 0

    def scegli(self, s, b, l):
        if l == 0:
            return
        c = f32(b / l)
        t = self.t[s]
        if t.custom != -1:
            t.diametro = ""
            if t.p_tronco > 0:
                for lab, d in SERIE:
                    if perdita_unitaria(f32(d / 1000), t.p_tronco) <= c:
                        t.diametro = lab
                        break
                if t.diametro == "":
                    t.diametro = SERIE[-1][0]
        r = riga(t.diametro)
        self.eq_len(1, s)
        t.pdc = f32(perdita_unitaria(f32(SERIE[r - 1][1] / 1000), t.p_tronco) * t.eq_len) if r else 0.0
        self.dim[s] = -1

    def dimensiona_percorso(self, m, l):
        path = [m]
        a = self.t[m].prev
        while a != 0 and self.dim[a] == 0:
            path.append(a)
            a = self.t[a].prev
        b = self.pdc_massima()
        if a != 0:
            l = f32(l - self.res[a])
            b = f32(b - self.cum[a])
            x = self.cum[a]
        else:
            x = 0.0
        for s in reversed(path):
            self.scegli(s, b, l)
            b = f32(b - self.t[s].pdc)
            x = f32(x + self.t[s].pdc)
            self.cum[s] = x
            l = f32(l - self.t[s].eq_len)
        return l

    def calcolo_diametri(self):
        self.costruisci()
        if self.lista:
            self.dimensiona_percorso(self.lista[0][0], self.lista[0][1])
            while True:
                m = self.primo()
                if m == 0:
                    break
                self.res[m] = self.dimensiona_percorso(m, self.res[m])
        for c in range(1, self.n + 1):
            if self.dim[c] == 0:
                a = self.t[c].prev
                self.scegli(c, f32(self.pdc_massima() - self.cum[a]), self.t[c].eq_len)

    def imposta_riga(self, s, r):
        t = self.t[s]
        t.diametro = SERIE[r - 1][0]
        self.eq_len(1, s)
        t.pdc = f32(perdita_unitaria(f32(SERIE[r - 1][1] / 1000), t.p_tronco) * t.eq_len)
        self.pressioni(1, 0.0)

    def ottimizza(self, s):
        n = 0
        t = self.t[s]
        if t.custom != -1:
            d = diametro_interno(t.diametro)
            dl = diametro_interno(self.t[t.left].diametro) if t.left else 0.0
            dr = diametro_interno(self.t[t.right].diametro) if t.right else 0.0
            r = riga(t.diametro)
            if d > dl and d > dr and r > 1:
                n = 1
                self.imposta_riga(s, r - 1)
                if not self.verifica():
                    n = 0
                    self.imposta_riga(s, r)
        if t.left:
            n += self.ottimizza(t.left)
        if t.right:
            n += self.ottimizza(t.right)
        return n

    def calcola(self):
        for i in range(1, self.n + 1):
            self.t[i].collegato = 0
        self.portate(1)
        for i in range(1, self.n + 1):
            self.eq_len(2, i)
        self.percorso(1, 0.0)
        self.calcolo_diametri()
        for i in range(1, self.n + 1):
            self.eq_len(1, i)
        self.percorso(1, 0.0)
        self.calcolo_diametri()
        self.pressioni(1, 0.0)
        while self.ottimizza(1) != 0:
            pass
        self.pressioni(1, 0.0)
        for i in range(1, self.n + 1):
            t = self.t[i]
            d = diametro_interno(t.diametro)
            t.vel = 0.0 if d <= 0 else f32(t.p_tronco * 1000 * 0.3537 / (d * d))


def perdita_unitaria(d, q):
    if d <= 0 or q <= 0:
        return 0.0
    re = q / (0.785398163398 * d * 3600 * VISCOSITA)
    lam = 0.0072 + 0.612 / re ** 0.35 + 0.000029 * re ** 0.109 / d
    return f32(lam * MASSA_VOLUMICA * q * q / (3.1415 ** 2 * 1620000 * d ** 5))


# ---- Networks -----------------------------------------------------------------------------------

def rete_singola():
    r = Rete(1)
    r.t[1].utenze = 2.0
    r.t[1].len = 10.0
    return "singolo", r


def rete_tre():
    r = Rete(3)
    t = r.t
    t[1].left, t[1].right = 2, 3
    t[1].len, t[1].ncurve, t[1].nrubinetti, t[1].nraccordi = 8.0, 2, 1, 1
    t[2].prev, t[2].len, t[2].utenze, t[2].ngomiti, t[2].nrubinetti = 1, 6.5, f32(2.5), 3, 1
    t[3].prev, t[3].len, t[3].utenze, t[3].ncurve, t[3].eqlennota = 1, 3.0, f32(1.2), 1, f32(0.5)
    return "tre", r


def rete_casuale(nome, n, seme, catena=False, fissi=0):
    rng = random.Random(seme)
    r = Rete(n)
    t = r.t
    for s in range(2, n + 1):
        while True:
            p = s - 1 if catena and rng.random() < 0.7 else rng.randint(1, s - 1)
            if t[p].left == 0:
                t[p].left = s
                break
            if t[p].right == 0:
                t[p].right = s
                break
        t[s].prev = p
    for s in range(1, n + 1):
        t[s].len = f32(round(rng.uniform(0.5, 15.0), 1))
        t[s].ncurve = rng.randint(0, 3)
        t[s].ngomiti = rng.randint(0, 2)
        t[s].nraccordi = 1 if not r.terminale(s) else 0
        t[s].nrubinetti = 1 if r.terminale(s) else 0
        t[s].eqlennota = f32(rng.choice([0.0, 0.0, 0.5, 1.5]))
        if r.terminale(s):
            t[s].utenze = f32(rng.choice([0.3, 0.6, 1.2, 2.5, 3.0]))
    for s in rng.sample(range(1, n + 1), fissi):
        t[s].custom = -1
        t[s].diametro = rng.choice(SERIE[2:6])[0]
    return nome, r


def main():
    reti = [rete_singola(), rete_tre(), rete_casuale("albero15", 15, 7, fissi=2),
            rete_casuale("catena25", 25, 11, catena=True), rete_casuale("albero40", 40, 3, fissi=3),
            rete_casuale("albero60grande", 60, 5)]
    righe = ["# Reference results of the low-pressure calculation (tools/calcolo_riferimento.py).",
             "# RETE name count",
             "# T slot prev left right utenze len ncurve ngomiti nraccordi nrubinetti eqlennota diamcustom diametro",
             "# R slot p_tronco eq_len percorso diametro pdc_tronco pdc_percorso pfinale velocita",
             "# Fields are TAB-separated; numbers are Python reprs of single values."]
    for nome, r in reti:
        inputs = []
        for s in range(1, r.n + 1):
            t = r.t[s]
            inputs.append("\t".join(map(str, ["T", s, t.prev, t.left, t.right, repr(t.utenze), repr(t.len),
                                              t.ncurve, t.ngomiti, t.nraccordi, t.nrubinetti,
                                              repr(t.eqlennota), t.custom, t.diametro])))
        r.calcola()
        righe.append(f"RETE\t{nome}\t{r.n}")
        righe.extend(inputs)
        for s in range(1, r.n + 1):
            t = r.t[s]
            righe.append("\t".join(map(str, ["R", s, repr(t.p_tronco), repr(t.eq_len), repr(t.lp), t.diametro,
                                              repr(t.pdc), repr(t.pdc_perc), repr(t.pfin), repr(t.vel)])))
    with open("tests/fixtures/calcolo_riferimento.txt", "w", newline="\n") as f:
        f.write("\n".join(righe) + "\n")


if __name__ == "__main__":
    main()
