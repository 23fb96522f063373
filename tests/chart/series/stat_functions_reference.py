#!/usr/bin/env python3
# Reference values for the statistical and financial function tests, written
# from the formulas alone (plain Python, math.fsum for exact sums).
# Run: python3 tests/chart/series/stat_functions_reference.py
import math

X = [1, 2, 4, 5, 7, 8, 10, 11, 13, 14]
V = [3, 5, 4, 8, 10, 9, 12, 7, 6, 11]

def show(name, xs):
    print(name, "{" + ", ".join(repr(float(x)) for x in xs) + "}")

def mean(w): return math.fsum(w) / len(w)

def sd(w, complete):
    m = mean(w)
    ss = math.fsum((x - m) ** 2 for x in w)
    n = len(w)
    return math.sqrt(ss / (n if complete else n - 1))

P = 3
wins = [(i - P + 1, i) for i in range(P - 1, len(V))]
show("sma3", [mean(V[a:b + 1]) for a, b in wins])
show("wma3", [math.fsum(V[k] * X[k] for k in range(a, b + 1)) / math.fsum(X[a:b + 1]) for a, b in wins])
show("wima3", [math.fsum(V[k] * (k - a + 1) for k in range(a, b + 1)) / 6 for a, b in wins])
show("expavg0.3", [0.3 * V[b] + 0.7 * V[b - 1] for a, b in wins])
show("momentum3", [V[b] - V[a] for a, b in wins])
show("momdiv3", [100 * V[b] / V[a] for a, b in wins])
show("perf3", [100 * (V[b] - V[0]) / V[0] for a, b in wins])
show("sd3sample", [sd(V[a:b + 1], False) for a, b in wins])
show("sd3pop", [sd(V[a:b + 1], True) for a, b in wins])
print("sd_all_sample", repr(sd(V, False)), "sd_all_pop", repr(sd(V, True)))
print("rms_all", repr(math.sqrt(math.fsum(v * v for v in V) / (len(V) - 1))),
      "rms_all_complete", repr(math.sqrt(math.fsum(v * v for v in V) / len(V))))
print("var_all", repr(math.fsum((v - mean(V)) ** 2 for v in V) / len(V)))
print("momentum_all", V[-1] - V[0], "momdiv_all", repr(100 * V[-1] / V[0]),
      "expavg_all_0.3", repr(0.3 * V[-1] + 0.7 * V[-2]))

def ema(v, period):
    k = 2 / (period + 1)
    out = [v[0]]
    for x in v[1:]:
        out.append(k * x + (1 - k) * out[-1])
    return out
show("ema4", ema(V, 4))

# MACD with periods 4 (long), 2 (short), signal 3
short, long_ = ema(V, 2), ema(V, 4)
macd = [s - l for s, l in zip(short, long_)]
sig = ema(macd, 3)
show("macd", macd)
show("macd_signal", sig)
show("macd_hist", [m - s for m, s in zip(macd, sig)])

# Bollinger, period 3, deviation 2
def bollinger(v, p, dev, expo):
    avg = ema(v, p) if expo else [mean(v[j:j + p]) for j in range(len(v) - p + 1)]
    up, lo = [], []
    for i in range(p, len(v) + 1):
        w = v[i - p:i]
        s = math.sqrt(math.fsum((x - mean(w)) ** 2 for x in w) / p)
        base = avg[i - 1] if expo else avg[i - p]
        up.append((X[i - 1], base + dev * s))
        lo.append((X[i - 1], base - dev * s))
    return up, lo
for expo in (True, False):
    u, l = bollinger(V, 3, 2, expo)
    show("boll_up_" + ("exp" if expo else "sma"), [y for _, y in u])
    show("boll_lo_" + ("exp" if expo else "sma"), [y for _, y in l])

# OHLC data
O = [10, 11, 12, 11, 13, 14, 13, 12, 11, 12, 14, 13]
H = [12, 13, 13, 12, 15, 15, 14, 13, 12, 14, 15, 15]
L = [9, 10, 11, 9, 12, 12, 11, 10, 9, 11, 12, 12]
C = [11, 12, 11, 10, 14, 13, 12, 11, 10, 13, 13, 14]
D = list(range(12))

show("stoch3", [100 * (C[b] - min(L[a:b + 1])) / (max(H[a:b + 1]) - min(L[a:b + 1])) for a, b in
                [(i - 2, i) for i in range(2, 12)]])

def rsi(a, b, close_only):
    g = l = 0.0
    if close_only:
        for k in range(a + 1, b + 1):
            d = C[k] - C[k - 1]
            if d >= 0: g += d
            else: l -= d
    else:
        for k in range(a, b + 1):
            if O[k] <= C[k]: g += C[k]
            else: l += C[k]
    n = b - a + 1
    g /= n; l /= n
    if l == 0: return 100.0
    return 100 - 100 / (1 + abs(g / l))
show("rsi4_openclose", [rsi(i - 3, i, False) for i in range(3, 12)])
show("rsi4_close", [rsi(i - 3, i, True) for i in range(3, 12)])

def adx(p):
    n = len(C)
    tr, pdm, mdm = [0.0] * n, [0.0] * n, [0.0] * n
    for i in range(1, n):
        tr[i] = max(H[i] - L[i], abs(H[i] - C[i - 1]), abs(L[i] - C[i - 1]))
        up, dn = H[i] - H[i - 1], L[i - 1] - L[i]
        pdm[i] = max(up, 0) if up > dn else 0
        mdm[i] = max(dn, 0) if dn > up else 0
    upl, dnl = [], []
    for i in range(p, n):
        if i == p:
            st, sp, sm = sum(tr[1:p + 1]), sum(pdm[1:p + 1]), sum(mdm[1:p + 1])
        else:
            st, sp, sm = st - st / p + tr[i], sp - sp / p + pdm[i], sm - sm / p + mdm[i]
        upl.append(100 * sp / st); dnl.append(100 * sm / st)
    def dx(i):
        u, d = upl[i - p], dnl[i - p]
        return 0.0 if u + d == 0 else 100 * abs(u - d) / (u + d)
    s = 2 * p - 2
    out = []
    for i in range(s, n):
        if i == s:
            a = sum(dx(k) for k in range(p, s + 1)) / (p - 1)
        else:
            a = (dx(i) + (p - 1) * a) / p
        out.append(a)
    return upl, dnl, out
u, d, a = adx(3)
show("adx3_up", u); show("adx3_down", d); show("adx3", a)

# the n = 50,000 and the cancellation cases
n = 50000
big = [float(i % 7) for i in range(n)]
print("sd_50000_sample", repr(sd(big, False)), "sd_50000_pop", repr(sd(big, True)))
print("sd_1e8", repr(sd([1e8 + 1, 1e8 + 2, 1e8 + 3], False)))

# Darvas boxes: the state machine written out with an explicit end test
def darvas(H, L):
    n = len(H)
    boxes = []
    if n == 0:
        return boxes
    st, i = 0, 0
    start = topi = boti = 0
    top = bot = 0.0
    while True:
        end = i >= n
        if st == 0:
            start, st = i, 1
        elif st == 1:
            if end: st = 5; continue
            top, topi, boti = H[i], i, i
            i += 1
            if i < n: st = 2 if H[i] < top else 1
        elif st == 2:
            if end: st = 5; continue
            i += 1
            if i < n: st = 3 if H[i] < top else 1
        elif st == 3:
            if end: st = 5; continue
            bot, boti = L[i], i
            i += 1
            if i < n: st = 1 if H[i] >= top else (4 if L[i] > bot else 3)
        elif st == 4:
            if end: st = 5; continue
            i += 1
            if i < n: st = 1 if H[i] >= top else (3 if L[i] <= bot else 5)
        elif st == 5:
            if end: st = 6; continue
            i += 1
            if i < n and (H[i] > top or L[i] < bot): st = 6
        else:
            boxes.append((start, topi, n - 1 if end else i, boti))
            if end: return boxes
            st = 0
DH = [10, 12, 11, 10, 10, 11, 13, 12, 11, 11, 10, 11]
DL = [8, 9, 9, 8, 9, 9, 10, 10, 9, 10, 9, 10]
print("darvas", darvas(DH, DL))
print("darvas_one", darvas([5], [4]))
