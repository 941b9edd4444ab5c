#!/usr/bin/env python3
"""Reference figures of the pressurised networks' drop formulas, written from the formulas alone.

Isothermal compressible flow: the drop over a segment (PerditaMP), over one metre (PerditaUnitariaMP),
the damped outlet-pressure iteration and the friction factor, with every single-precision rounding
the formulas apply. It prints the worked figures tests/model/formule_mp_test.cpp expects, to 17
digits, for natural gas at the project's 200 kPa / 150 kPa.

Run from the repository root: python3 tools/formule_mp_riferimento.py
"""

import math
import struct


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


# ---- The gas and the project (the C++ test sets up exactly the same) --------------------------

VISCOSITA = f32(1.4e-5)
MASSA_VOLUMICA = f32(f32(0.6) * f32(1.22566))
PRESSIONE_INIZIALE = 200.0
PRESSIONE_FINALE = 150.0

ACCIAIO = 1


def rugosita(tipo):
    return f32(0.00015) if tipo == 1 else f32(0.00002)


def fattore_attrito(d, re, eps):
    """Friction factor: one Colebrook-White evaluation from an explicit estimate."""
    l0 = f32(0.0032 + 0.221 * re ** -0.237)
    ls = f32((-2.0 * math.log10(2.51 / (re * math.sqrt(l0)))) ** -2)
    l1 = f32(ls + ls * ls * 0.17 * re * eps / d)
    if re * eps * math.sqrt(l1) / d > 25:
        l1 = f32((1 + 8 * d / (re * eps)) * (2 * math.log10(3.71 * d / eps)) ** -2)
        if re * eps * math.sqrt(l1) / d > 200:
            l1 = f32((2 * math.log10(3.71 * d / eps)) ** -2)
    return f32((-2.0 * math.log10(eps / (3.71 * d) + 2.51 / (re * math.sqrt(l1)))) ** -2)


def pressione_finale_iterata(p1, q, d, lunghezza, e0, tipo):
    """Outlet pressure in Pa absolute by the damped iteration, or -1."""
    pa1 = 1000 * p1 + 101325
    a = pa1 * pa1
    eps = rugosita(tipo)
    e = e0
    j = 0.0
    migliore = 0.0
    scarto = 99999.0
    i = 0
    while True:
        nu = VISCOSITA * 202650 / (pa1 + e)
        re = q / (d * 2827.433388 * nu) * 202650 / (pa1 + e)
        lam = fattore_attrito(d, f32(re), eps)
        if i == 0:
            g = math.log(pa1 / (0.99 * e))
        else:
            precedente = j
            g = math.log(pa1 / (e * (e / precedente) ** 0.1))
        s = 0.01267452955 * MASSA_VOLUMICA * q * q / d ** 4 * (lam * lunghezza / d + 2 * g)
        if s > a:
            return -1
        j = math.sqrt(a - s)
        if i > 0:
            if abs(j / e - 1) < scarto:
                scarto = abs(j / e - 1)
                migliore = j
            e = f32(precedente)
        i += 1
        if abs(j / e - 1) <= 0.0001:
            return j if i < 50 else migliore
        if i >= 50:
            return migliore


def perdita(p1, d, q, lunghezza, tipo, unitaria):
    if d <= 0 or q <= 0 or VISCOSITA <= 0:
        return 0.0
    pi, pf = PRESSIONE_INIZIALE, PRESSIONE_FINALE
    nu = VISCOSITA * 202650 / (1000 * pi + 202650 + 1000 * pf)
    re = q / (d * 2827.4328 * nu) * 202650 / (1000 * pi + 202650 + 1000 * pf)
    re = f32(float("%.15g" % re)) if unitaria else f32(re)
    lam = fattore_attrito(d, re, rugosita(tipo))
    t = 101325 * MASSA_VOLUMICA * lunghezza * lam * q * q / (3.141592 ** 2 * 810000 * d ** 5)
    a = (1000 * p1 + 101325) ** 2
    if a < t:
        return -1.0
    p2 = pressione_finale_iterata(p1, q, d, lunghezza, f32(math.sqrt(a - t)), tipo)
    if p2 < 0:
        return -1.0
    if unitaria:
        p2 = f32(p2)
    return f32((1000 * p1 + 101325 - p2) / 1000)


def perdita_mp(p1, d, q, lunghezza, tipo):
    return perdita(p1, d, q, lunghezza, tipo, False)


def perdita_unitaria_mp(d, q, p1, tipo):
    return perdita(p1, d, q, 1.0, tipo, True)


def main():
    casi = [
        ("PerditaUnitariaMP(0.0161f, 50, 200, Acciaio)", perdita_unitaria_mp(f32(0.0161), 50.0, 200.0, ACCIAIO)),
        ("PerditaUnitariaMP(0.0217f, 50, 200, Acciaio)", perdita_unitaria_mp(f32(0.0217), 50.0, 200.0, ACCIAIO)),
        ("PerditaMP(200, 0.0217f, 50, 100, Acciaio)", perdita_mp(200.0, f32(0.0217), 50.0, 100.0, ACCIAIO)),
        ("PerditaMP(200, 0.0531f, 50, 100, Acciaio)", perdita_mp(200.0, f32(0.0531), 50.0, 100.0, ACCIAIO)),
        ("FattoreAttrito(0.05f, 1e5f, 0.00015f)", fattore_attrito(f32(0.05), f32(1e5), f32(0.00015))),
        ("PressioneFinaleIterata(200, 1, 0.0217f, 1, 301324.8125f, Acciaio)",
         pressione_finale_iterata(200.0, 1.0, f32(0.0217), 1.0, 301324.8125, ACCIAIO)),
        ("PressioneFinaleIterata(200, 740, 0.0217f, 1, 234758.125f, Acciaio)",
         pressione_finale_iterata(200.0, 740.0, f32(0.0217), 1.0, 234758.125, ACCIAIO)),
        ("PerditaMP(200, 0.0217f, 740, 1, Acciaio)", perdita_mp(200.0, f32(0.0217), 740.0, 1.0, ACCIAIO)),
        ("PressioneFinaleIterata(200, 120, 0.0217f, 1, 299742.375f, Acciaio)",
         pressione_finale_iterata(200.0, 120.0, f32(0.0217), 1.0, 299742.375, ACCIAIO)),
        ("PressioneFinaleIterata(200, 50, 0.0217f, 100, 271886.09375f, Acciaio)",
         pressione_finale_iterata(200.0, 50.0, f32(0.0217), 100.0, 271886.09375, ACCIAIO)),
    ]
    for nome, valore in casi:
        print("%-70s %.17g" % (nome, valore))


if __name__ == "__main__":
    main()
