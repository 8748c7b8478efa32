# The height–diameter models fitted by scipy, independently of the program: its own start values
# (numpy's polynomial fits of the linearised forms) and scipy's trust-region least squares.
# Reads {"d": [...], "h": [...]} on stdin; prints per model the fitted heights at d, RMSE, bias
# (mean of measured minus fitted) and AIC = n·ln(RSS/n) + 2k.
import json
import sys

import numpy as np
from scipy.optimize import least_squares

data = json.load(sys.stdin)
d = np.array(data["d"], dtype=float)
h = np.array(data["h"], dtype=float)
y = h - 1.3


def line(x, v):
    slope, intercept = np.polyfit(x, v, 1)
    return intercept, slope


def meyer_start():
    a = 1.3 * y.max()
    b = -np.sum(d * np.log(1 - y / a)) / np.sum(d * d)
    return a, b


models = {
    "naslund": (lambda p, x: 1.3 + x**2 / (p[0] + p[1] * x) ** 2, lambda: line(d, d / np.sqrt(y))),
    "michailoff": (
        lambda p, x: 1.3 + p[0] * np.exp(-p[1] / x),
        lambda: (lambda c: (np.exp(c[0]), -c[1]))(line(1 / d, np.log(y))),
    ),
    "curtis": (
        lambda p, x: 1.3 + p[0] * (x / (1 + x)) ** p[1],
        lambda: (lambda c: (np.exp(c[0]), c[1]))(line(np.log(d / (1 + d)), np.log(y))),
    ),
    "meyer": (lambda p, x: 1.3 + p[0] * (1 - np.exp(-p[1] * x)), meyer_start),
    "power": (
        lambda p, x: 1.3 + p[0] * x ** p[1],
        lambda: (lambda c: (np.exp(c[0]), c[1]))(line(np.log(d), np.log(y))),
    ),
    "petterson": (lambda p, x: 1.3 + (x / (p[0] + p[1] * x)) ** 3, lambda: line(d, d / np.cbrt(y))),
    "wykoff": (lambda p, x: 1.3 + np.exp(p[0] + p[1] / (x + 1)), lambda: line(1 / (d + 1), np.log(y))),
    "prodan": (
        lambda p, x: 1.3 + x**2 / (p[0] + p[1] * x + p[2] * x**2),
        lambda: tuple(np.polyfit(d, d**2 / y, 2)[::-1]),
    ),
}

out = {}
for name, (f, start) in models.items():
    fit = least_squares(lambda p: f(p, d) - h, np.array(start(), dtype=float), method="trf",
                        x_scale="jac", ftol=1e-15, xtol=1e-15, gtol=1e-15, max_nfev=100000)
    fitted = f(fit.x, d)
    r = h - fitted
    rss = float(np.sum(r * r))
    n, k = len(d), len(fit.x)
    out[name] = {"heights": fitted.tolist(), "rmse": (rss / n) ** 0.5, "bias": float(np.mean(r)),
                 "aic": n * np.log(rss / n) + 2 * k}
print(json.dumps(out))
