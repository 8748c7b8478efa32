#include "TableStock.h"

#include <cmath>

namespace {

using R = long double;

// x^y as exp(y ln x); a non-positive base gives 0 (the callers' guards keep bases positive).
R pw(R x, R y) {
    return x > 0 ? std::exp(y * std::log(x)) : 0.0L;
}

constexpr R kPiTrunc = 3.1415926L;

R poly(const R a[6], R h) {
    return ((((a[0] * h + a[1]) * h + a[2]) * h + a[3]) * h + a[4]) * h + a[5];
}

enum class Set { None, Sm, Jd, Bo, Md, Tp, Ol, Ak, Hb, Br, Js, Bk, Db, Dg };

Set setOf(const QString& species) {
    const QString s = species.trimmed().toLower();
    if (s == "sm")
        return Set::Sm;
    if (s == "jd")
        return Set::Jd;
    if (s == "dg")
        return Set::Dg;
    if (s == "bo")
        return Set::Bo;
    if (s == "md")
        return Set::Md;
    if (s == "tp")
        return Set::Tp;
    if (s == "ol")
        return Set::Ol;
    if (s == "ak")
        return Set::Ak;
    if (s == "hb")
        return Set::Hb;
    if (s == "br")
        return Set::Br;
    if (s == "js")
        return Set::Js;
    if (s == "bk")
        return Set::Bk;
    if (s == "db")
        return Set::Db;
    return Set::None;
}

// a5..a0 of the yield-table stock polynomial in h.
const R* coefficients(Set set) {
    static const R sm[6] = {-3.337858e-6L, 0.0002611765L, -0.007342272L, 0.4725315L, 11.43678L, -9.9649L};
    static const R bk[6] = {-1.764446e-5L, 0.001914963L, -0.07104336L, 1.314453L, 3.622401L, 0.6558711L};
    static const R bo[6] = {-6.23041e-6L, 0.0006255685L, -0.02900866L, 0.9274968L, 5.29123L, -3.323526L};
    static const R ak[6] = {-9.559409e-6L, 0.0005978408L, -0.009466462L, 0.3806145L, 3.173368L, 4.506102L};
    static const R hb[6] = {-1.669336e-5L, 0.001945142L, -0.06856329L, 1.239956L, 1.17912L, -1.810632L};
    static const R jd[6] = {-7.245857e-6L, 0.001006349L, -0.05159644L, 1.436948L, 6.483743L, -4.664736L};
    static const R md[6] = {-8.223272e-6L, 0.000770277L, -0.03002448L, 0.8720092L, 7.304262L, -5.010821L};
    static const R dg[6] = {-6.289606e-7L, -5.065974e-5L, 0.004575053L, 0.1702549L, 13.8955L, 0.4598147L};
    static const R tp[6] = {-7.142145e-6L, 0.0003077536L, 0.004553574L, 0.2697607L, 1.128143L, 0.7945997L};
    static const R br[6] = {-7.095541e-7L, 0.0002476178L, -0.01391729L, 0.5784896L, 3.660323L, -1.603128L};
    static const R ol[6] = {3.148896e-5L, -0.002171724L, 0.03740009L, 0.3607632L, 1.149221L, 0.1822508L};
    static const R js[6] = {-9.034502e-6L, 0.0008566892L, -0.03115062L, 0.6900244L, 4.16648L, -4.790424L};
    static const R db[6] = {4.280925e-6L, -0.0007935021L, 0.04154725L, -0.5505593L, 14.23112L, -13.42907L};
    switch (set) {
    case Set::Sm:
        return sm;
    case Set::Bk:
        return bk;
    case Set::Bo:
        return bo;
    case Set::Ak:
        return ak;
    case Set::Hb:
        return hb;
    case Set::Jd:
        return jd;
    case Set::Md:
        return md;
    case Set::Dg:
        return dg;
    case Set::Tp:
        return tp;
    case Set::Br:
        return br;
    case Set::Ol:
        return ol;
    case Set::Js:
        return js;
    case Set::Db:
        return db;
    case Set::None:
        break;
    }
    return nullptr;
}

R akV1(R d, R h) {
    return (0.691360261L * std::exp(-39.274379004076738L * pw(d + 12, -0.62254676L)) - 0.0002L) *
           pw(h, 1.229L);
}
R akV2(R d, R h) {
    return (1948936330.0L * std::exp(-34.444916539252052L * pw(d + 6, -0.09480205L)) - 0.0025L) * (h - 3);
}

R bkF1(R d, R h) {
    return 0.676631311L - 0.0142524815L * d + 0.000291806808L * d * d - 2.11296852e-6L * d * d * d -
           0.00312671449L * h + 0.000266625592L * d * h - 5.91398197e-6L * d * d * h +
           4.18813634e-8L * d * d * d * h;
}
R bkF2(R d, R h) {
    return 0.564707688L - 2.32565273L / d + 39.259493L / (d * d) - 233.762065L / (d * d * d) -
           0.00141540405L * h - 1.82856747e-6L * d * h + 6.20653033e-7L * d * d * h -
           4.76942633e-9L * d * d * d * h;
}
R dbF3(R d, R h) {
    return 0.462072828L + 0.431461468L / d + 0.74623908L / (d * d) - 0.906163094L / (d * d * d) +
           0.000995857017L * h - 6.72924823e-6L * d * h - 9.81844892e-7L * d * d * h +
           7.7539933e-9L * d * d * d * h;
}
R dbF4(R d, R h) {
    return 0.446734203L + 5.98292446L / h - 2.08602528L / (h * h) - 14.9126481L / d + 0.0869829035L * h / d +
           0.00105976318L * h * h / d;
}
R dbF5(R d, R h) {
    const R d2 = d * d, d3 = d2 * d;
    return -26.8673666L / d2 + 16.7799101L * h / d2 - 0.221473958L * h * h / d2 + 223.051911L / d3 -
           53.892038L * h / d3 - 1.01188892L * h * h / d3;
}

// v1 and v2 of one equation set at diameter d and height h.
void volumes(Set set, R d, R h, R& v1, R& v2) {
    const R e = d + 1;
    switch (set) {
    case Set::Sm:
        v1 = 4.01384e-5L * pw(e, 1.821816L) * pw(h, 1.132062L);
        v2 = v1 - 0.00928540767L * pw(e, -1.02037409L) * pw(h, 0.896100664L);
        break;
    case Set::Jd:
    case Set::Dg:
        v1 = 4.48581e-5L * pw(e, 1.8401L) * pw(h, 1.10613L);
        v2 = v1 - 0.0299553985L * pw(e, -1.30154794L) * pw(h, 0.739959L);
        break;
    case Set::Bo:
        v1 = 3.034274e-5L * pw(e, 2.0752378L - 0.0124923L * std::log(e)) * pw(h, 0.9610277L);
        v2 = v1 - 0.071975247126L * pw(e, -2.12448503L) * pw(h, 1.37259082L);
        break;
    case Set::Md:
        v1 = (5.219852e-5L * pw(d, 1.734207L) + 0.000297247L) * pw(h, 1.159614L);
        v2 = v1 - 0.01667506L * pw(h, 1.083725L) * pw(e, -1.440381L);
        break;
    case Set::Tp:
        v1 = 2.3284e-5L * pw(e, 1.8703L - 0.0068L * std::log(e)) * pw(h, 0.0346L * std::log(h) + 1.1769L);
        v2 = v1 < 0.01L ? 0.0L : 1.066333L * pw(v1 - 0.01L, 1.027266L);
        break;
    case Set::Ol:
        v1 = 2.9878649e-5L * pw(e, 2.25569529L - 0.064301769L * std::log(e)) *
             pw(h, 0.063258505L * std::log(h) + 0.771934004L);
        v2 = v1 < 0.011L ? 0.0L : 1.00849912L * pw(v1 - 0.011L, 0.9928L);
        break;
    case Set::Ak:
        v1 = akV1(d, h);
        v2 = akV2(d, h);
        break;
    case Set::Hb:
        v1 = akV1(4 * d / 3, h);
        v2 = akV2(4 * d / 3, h);
        break;
    case Set::Br:
        v1 = (64.34456L * std::exp(-20.41107L * pw(d + 8, -0.2318491L)) - 0.00023L) * pw(h, 1.315372L);
        v2 = (31152.38L * std::exp(-23.18602L * pw(d + 5.5L, -0.1425706L)) - 0.00115L) *
             pw(h - 4.5L, 1.08471L);
        break;
    case Set::Js: {
        const R u = d + 0.8L;
        v1 = 3.09165768e-5L * h * u * u + 2.3670006e-7L * h * h * u * u - 1.70369517e-7L * h * u * u * u;
        if (!(v1 > 0))
            v1 = 0.00001L;
        const R p = d - 1, q = h - 2;
        v2 = 4.54715242e-5L * q * p * p - 0.0002L - 3.93837738e-8L * q * q * p * p -
             7.78230466e-8L * q * p * p * p;
        break;
    }
    case Set::Bk: {
        const R base = kPiTrunc * d * d * h / 40000;
        v1 = base * bkF1(d, h);
        v2 = base * bkF2(d, h);
        break;
    }
    case Set::Db: {
        const R base = kPiTrunc * d * d * h / 40000;
        v1 = base * dbF3(d, h);
        v2 = base * (dbF4(d, h) + dbF5(d, h));
        break;
    }
    case Set::None:
        break;
    }
}

} // namespace

bool HasTableStockEquations(const QString& tableSpecies) {
    return setOf(tableSpecies) != Set::None;
}

TableStockResult TableStock(const QString& tableSpecies, int d, int h, TableStockResult previous) {
    if (d <= 6 || h <= 6)
        return {};
    const Set set = setOf(tableSpecies);
    if (set == Set::None)
        return previous;
    R v1 = 0, v2 = 0;
    volumes(set, d, h, v1, v2);
    const R T = poly(coefficients(set), h);
    R S = v1 != 0 ? T * v2 / v1 : 0.0L;
    if (set == Set::Sm && S < 5)
        S = 0;
    return {double(v1), double(v2), double(T), double(S)};
}

double TotalStemVolume(const QString& tableSpecies, double d, double h) {
    const Set set = setOf(tableSpecies);
    if (set == Set::None || d <= 0 || h <= 0)
        return 0;
    R v1 = 0, v2 = 0;
    volumes(set, d, h, v1, v2);
    return double(v1);
}
