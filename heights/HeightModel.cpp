#include "HeightModel.h"

#include <Eigen/Dense>
#include <QStringList>
#include <cmath>
#include <functional>

namespace HeightModels {

namespace {

struct Description {
    HeightModel model;
    const char* name;
    const char* title;
    int parameters;
};

constexpr Description kModels[] = {
    {HeightModel::Naslund, "naslund", "Näslund", 2}, {HeightModel::Michailoff, "michailoff", "Michailoff", 2},
    {HeightModel::Curtis, "curtis", "Curtis", 2},    {HeightModel::Meyer, "meyer", "Meyer", 2},
    {HeightModel::Power, "power", "mocninný", 2},    {HeightModel::Petterson, "petterson", "Petterson", 2},
    {HeightModel::Wykoff, "wykoff", "Wykoff", 2},    {HeightModel::Prodan, "prodan", "Prodan", 3},
};

const Description& describe(HeightModel model) {
    return kModels[int(model)];
}

// Least squares of y on the columns of x; nothing when the columns are not independent.
std::optional<std::vector<double>> linearFit(const Eigen::MatrixXd& x, const Eigen::VectorXd& y) {
    if (x.rows() < x.cols())
        return std::nullopt;
    const Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(x);
    if (qr.rank() < x.cols())
        return std::nullopt;
    const Eigen::VectorXd b = qr.solve(y);
    if (!b.allFinite())
        return std::nullopt;
    return std::vector<double>(b.data(), b.data() + b.size());
}

// y = c0 + c1·x over the pairs, with x and y of each pair given by the functions.
std::optional<std::vector<double>> straightLine(const SampleHeights& pairs,
                                                const std::function<double(const SampleHeight&)>& x,
                                                const std::function<double(const SampleHeight&)>& y) {
    Eigen::MatrixXd design(Eigen::Index(pairs.size()), 2);
    Eigen::VectorXd values(Eigen::Index(pairs.size()));
    for (size_t i = 0; i < pairs.size(); ++i) {
        design(Eigen::Index(i), 0) = 1;
        design(Eigen::Index(i), 1) = x(pairs[i]);
        values(Eigen::Index(i)) = y(pairs[i]);
    }
    return linearFit(design, values);
}

double above(const SampleHeight& p) {
    return p.height - BreastHeight;
}

// Meyer's model is linear in its asymptote a for a fixed rate b: the rate with the least squares
// on a logarithmic grid, with its best asymptote.
std::optional<std::vector<double>> meyerStart(const SampleHeights& pairs) {
    double bestRss = INFINITY, bestA = 0, bestB = 0;
    for (int i = 0; i <= 120; ++i) {
        const double b = std::pow(10.0, -5.0 + i * 0.05); // 1e-5 … 10 per cm
        double gy = 0, gg = 0;
        for (const SampleHeight& p : pairs) {
            const double g = -std::expm1(-b * p.diameter);
            gy += g * above(p);
            gg += g * g;
        }
        if (!(gg > 0))
            continue;
        const double a = gy / gg;
        double rss = 0;
        for (const SampleHeight& p : pairs) {
            const double r = above(p) + a * std::expm1(-b * p.diameter);
            rss += r * r;
        }
        if (rss < bestRss) {
            bestRss = rss;
            bestA = a;
            bestB = b;
        }
    }
    if (!std::isfinite(bestRss))
        return std::nullopt;
    return std::vector<double>{bestA, bestB};
}

} // namespace

QString Name(HeightModel model) {
    return QString::fromLatin1(describe(model).name);
}

QString Title(HeightModel model) {
    return QString::fromUtf8(describe(model).title);
}

std::optional<HeightModel> FromName(const QString& name) {
    for (const Description& d : kModels)
        if (name.trimmed().compare(QLatin1String(d.name), Qt::CaseInsensitive) == 0)
            return d.model;
    return std::nullopt;
}

QString NameList() {
    QStringList names;
    for (const Description& d : kModels)
        names << QString::fromLatin1(d.name);
    return names.join(", ");
}

int ParameterCount(HeightModel model) {
    return describe(model).parameters;
}

double Height(HeightModel model, const double* p, double d) {
    const double a = p[0], b = p[1];
    switch (model) {
    case HeightModel::Naslund: {
        const double u = a + b * d;
        return BreastHeight + d * d / (u * u);
    }
    case HeightModel::Michailoff:
        return BreastHeight + a * std::exp(-b / d);
    case HeightModel::Curtis:
        return BreastHeight + a * std::pow(d / (1 + d), b);
    case HeightModel::Meyer:
        return BreastHeight - a * std::expm1(-b * d);
    case HeightModel::Power:
        return BreastHeight + a * std::pow(d, b);
    case HeightModel::Petterson: {
        const double r = d / (a + b * d);
        return BreastHeight + r * r * r;
    }
    case HeightModel::Wykoff:
        return BreastHeight + std::exp(a + b / (d + 1));
    case HeightModel::Prodan:
        return BreastHeight + d * d / (a + b * d + p[2] * d * d);
    }
    return NAN;
}

void Gradient(HeightModel model, const double* p, double d, double* g) {
    const double a = p[0], b = p[1];
    switch (model) {
    case HeightModel::Naslund: {
        const double u = a + b * d;
        g[0] = -2 * d * d / (u * u * u);
        g[1] = g[0] * d;
        return;
    }
    case HeightModel::Michailoff: {
        const double e = std::exp(-b / d);
        g[0] = e;
        g[1] = -a * e / d;
        return;
    }
    case HeightModel::Curtis: {
        const double r = d / (1 + d);
        const double rb = std::pow(r, b);
        g[0] = rb;
        g[1] = a * rb * std::log(r);
        return;
    }
    case HeightModel::Meyer: {
        const double e = std::exp(-b * d);
        g[0] = -std::expm1(-b * d);
        g[1] = a * d * e;
        return;
    }
    case HeightModel::Power: {
        const double db = std::pow(d, b);
        g[0] = db;
        g[1] = a * db * std::log(d);
        return;
    }
    case HeightModel::Petterson: {
        const double u = a + b * d;
        g[0] = -3 * d * d * d / (u * u * u * u);
        g[1] = g[0] * d;
        return;
    }
    case HeightModel::Wykoff: {
        const double e = std::exp(a + b / (d + 1));
        g[0] = e;
        g[1] = e / (d + 1);
        return;
    }
    case HeightModel::Prodan: {
        const double q = a + b * d + p[2] * d * d;
        g[0] = -d * d / (q * q);
        g[1] = g[0] * d;
        g[2] = g[1] * d;
        return;
    }
    }
}

std::optional<std::vector<double>> StartValues(HeightModel model, const SampleHeights& pairs) {
    const auto d = [](const SampleHeight& p) { return p.diameter; };
    const auto logAbove = [](const SampleHeight& p) { return std::log(above(p)); };
    std::optional<std::vector<double>> c;
    switch (model) {
    case HeightModel::Naslund:
        return straightLine(pairs, d, [](const SampleHeight& p) { return p.diameter / std::sqrt(above(p)); });
    case HeightModel::Michailoff:
        // ln(h − 1.3) = ln a − b / d
        c = straightLine(
            pairs, [](const SampleHeight& p) { return 1 / p.diameter; }, logAbove);
        if (c)
            *c = {std::exp((*c)[0]), -(*c)[1]};
        return c;
    case HeightModel::Curtis:
        // ln(h − 1.3) = ln a + b·ln(d / (1 + d))
        c = straightLine(
            pairs, [](const SampleHeight& p) { return std::log(p.diameter / (1 + p.diameter)); }, logAbove);
        if (c)
            (*c)[0] = std::exp((*c)[0]);
        return c;
    case HeightModel::Meyer:
        return meyerStart(pairs);
    case HeightModel::Power:
        // ln(h − 1.3) = ln a + b·ln d
        c = straightLine(
            pairs, [](const SampleHeight& p) { return std::log(p.diameter); }, logAbove);
        if (c)
            (*c)[0] = std::exp((*c)[0]);
        return c;
    case HeightModel::Petterson:
        return straightLine(pairs, d, [](const SampleHeight& p) { return p.diameter / std::cbrt(above(p)); });
    case HeightModel::Wykoff:
        // ln(h − 1.3) = a + b / (d + 1)
        return straightLine(
            pairs, [](const SampleHeight& p) { return 1 / (p.diameter + 1); }, logAbove);
    case HeightModel::Prodan: {
        // d² / (h − 1.3) = a + b·d + c·d²
        Eigen::MatrixXd design(Eigen::Index(pairs.size()), 3);
        Eigen::VectorXd values(Eigen::Index(pairs.size()));
        for (size_t i = 0; i < pairs.size(); ++i) {
            const double di = pairs[i].diameter;
            design.row(Eigen::Index(i)) << 1, di, di * di;
            values(Eigen::Index(i)) = di * di / above(pairs[i]);
        }
        return linearFit(design, values);
    }
    }
    return std::nullopt;
}

} // namespace HeightModels
