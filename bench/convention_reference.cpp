// An independent reference for the event search in a convention: the moments found by scanning Swiss
// Ephemeris directly (its own calls and flags, none of the program's code) and bisecting each change of
// sign, compared with the events orvane-cli printed as CSV.
//
//   convention_reference aspects FROM_JD TO_JD FRAME POSITIONS EVENTS.csv
//       exact aspects of the seven among the nine bodies;
//   convention_reference bodies FROM_JD TO_JD FRAME POSITIONS EVENTS.csv
//       nodes (bisection on the latitude) and apsides (bisection on the sign of the distance's rate).
// FRAME is j2000 or date, POSITIONS geometric or apparent. Prints the number of moments on each side,
// those without a partner, and the median and greatest difference in seconds.

#include <swephexp.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The program's body order (Earth first) with Swiss Ephemeris' numbers.
const std::array<std::pair<const char*, int>, 9> kBodies{{{"Earth", SE_EARTH},
                                                          {"Mercury", SE_MERCURY},
                                                          {"Venus", SE_VENUS},
                                                          {"Mars", SE_MARS},
                                                          {"Jupiter", SE_JUPITER},
                                                          {"Saturn", SE_SATURN},
                                                          {"Uranus", SE_URANUS},
                                                          {"Neptune", SE_NEPTUNE},
                                                          {"Pluto", SE_PLUTO}}};
const std::array<std::pair<const char*, double>, 7> kAspects{{{"Conjunction", 0},
                                                              {"Opposition", 180},
                                                              {"Square", 90},
                                                              {"Trine", 120},
                                                              {"Sextile", 60},
                                                              {"Semisextile", 30},
                                                              {"Quincunx", 150}}};

int g_flags = SEFLG_SWIEPH | SEFLG_HELCTR;

std::array<double, 6> Calc(double jd, int body, int extra = 0)
{
    std::array<double, 6> xx{};
    char serr[AS_MAXCH];
    if (swe_calc_ut(jd, body, g_flags | extra, xx.data(), serr) < 0) {
        std::fprintf(stderr, "swe_calc_ut: %s\n", serr);
        std::exit(1);
    }
    return xx;
}

double Wrap180(double angle)
{
    return angle - 360.0 * std::round(angle / 360.0);
}

// The root of f in [a, b] (f changes sign there), to the precision of a Julian date (40 µs).
template <typename F>
double Bisect(const F& f, double a, double b)
{
    const bool negativeAtA = f(a) < 0.0;
    for (int i = 0; i < 60 && b - a > 1e-9; ++i) {
        const double m = 0.5 * (a + b);
        ((f(m) < 0.0) == negativeAtA ? a : b) = m;
    }
    return 0.5 * (a + b);
}

struct Moment {
    std::string key;
    double jd;
};

// The Earth–Moon barycentre's position and velocity (rectangular), as the program reports the Earth's
// latitude and distance.
std::array<double, 6> Barycentre(double jd)
{
    std::array<double, 6> earth = Calc(jd, SE_EARTH, SEFLG_XYZ | SEFLG_SPEED);
    const int saved = g_flags;
    g_flags = (g_flags & ~SEFLG_HELCTR) | SEFLG_TRUEPOS;
    const std::array<double, 6> moon = Calc(jd, SE_MOON, SEFLG_XYZ | SEFLG_SPEED);
    g_flags = saved;
    for (size_t k = 0; k < 6; ++k)
        earth[k] += moon[k] / (1.0 + 81.30056907);
    return earth;
}

double Latitude(double jd, int body)
{
    return Calc(jd, body)[1];
}

// The distance does not depend on the frame; its rate is taken in J2000, where Swiss Ephemeris computes it
// without the noise the rotation into the frame of date adds.
double DistanceRate(double jd, int body)
{
    if (body != SE_EARTH)
        return Calc(jd, body, SEFLG_SPEED | SEFLG_J2000 | SEFLG_NONUT)[5];
    const std::array<double, 6> x = Barycentre(jd);
    return x[0] * x[3] + x[1] * x[4] + x[2] * x[5];
}

std::vector<Moment> ReferenceAspects(double from, double to)
{
    std::vector<Moment> found;
    constexpr double kStep = 0.25;
    const auto longitude = [](double jd, size_t body) { return Calc(jd, kBodies[body].second)[0]; };
    for (size_t b1 = 0; b1 < kBodies.size(); ++b1)
        for (size_t b2 = b1 + 1; b2 < kBodies.size(); ++b2)
            for (const auto& [name, angle] : kAspects)
                for (const bool second : {false, true}) {
                    if (second && (angle == 0.0 || angle == 180.0))
                        continue;
                    const double target = second ? 360.0 - angle : angle;
                    const auto f = [&](double jd) {
                        return Wrap180(longitude(jd, b1) - longitude(jd, b2) - target);
                    };
                    double fa = f(from);
                    for (double t = from; t < to; t += kStep) {
                        const double fb = f(t + kStep);
                        if ((fa < 0.0) != (fb < 0.0) && std::fabs(fa - fb) < 90.0) {
                            const double root = Bisect(f, t, t + kStep);
                            if (root >= from && root < to)
                                found.push_back({std::string(kBodies[b1].first) + " " + name + " " + kBodies[b2].first,
                                                 root});
                        }
                        fa = fb;
                    }
                }
    return found;
}

std::vector<Moment> ReferenceBodies(double from, double to)
{
    std::vector<Moment> found;
    constexpr double kStep = 0.5;
    for (const auto& [name, body] : kBodies) {
        const auto latitude = [body = body](double jd) { return Latitude(jd, body); };
        const auto rate = [body = body](double jd) { return DistanceRate(jd, body); };
        double la = latitude(from);
        double ra = rate(from);
        for (double t = from; t < to; t += kStep) {
            const double lb = latitude(t + kStep);
            const double rb = rate(t + kStep);
            if (body != SE_EARTH && (la < 0.0) != (lb < 0.0)) {
                const double root = Bisect(latitude, t, t + kStep);
                if (root >= from && root < to)
                    found.push_back({std::string(lb >= 0.0 ? "ascending-node " : "descending-node ") + name, root});
            }
            if ((ra < 0.0) != (rb < 0.0)) {
                const double root = Bisect(rate, t, t + kStep);
                if (root >= from && root < to)
                    found.push_back({std::string(rb >= 0.0 ? "perihelion " : "aphelion ") + name, root});
            }
            la = lb;
            ra = rb;
        }
    }
    return found;
}

// The events of the CSV, keyed as the references key theirs.
std::vector<Moment> ReadEvents(const std::string& path, bool aspects)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    std::vector<Moment> events;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> field;
        std::stringstream fields(line);
        for (std::string part; std::getline(fields, part, ',');)
            field.push_back(part);
        if (field.size() < 6)
            continue;
        const double jd = std::stod(field[1]);
        if (aspects && field[2] == "exact")
            events.push_back({field[3] + " " + field[4] + " " + field[5], jd});
        else if (!aspects && field[2] != "exact")
            events.push_back({field[2] + " " + field[3], jd});
    }
    return events;
}

int Compare(const std::vector<Moment>& reference, std::vector<Moment> events, double limitSeconds)
{
    std::multimap<std::string, double> byKey;
    for (const Moment& event : events)
        byKey.emplace(event.key, event.jd);
    std::vector<double> differences;
    int unmatched = 0;
    for (const Moment& ref : reference) {
        auto [first, last] = byKey.equal_range(ref.key);
        auto best = last;
        for (auto it = first; it != last; ++it)
            if (best == last || std::fabs(it->second - ref.jd) < std::fabs(best->second - ref.jd))
                best = it;
        if (best == last || std::fabs(best->second - ref.jd) > 1.0) {
            std::printf("no partner: %s at JD %.6f\n", ref.key.c_str(), ref.jd);
            ++unmatched;
            continue;
        }
        differences.push_back(std::fabs(best->second - ref.jd) * 86400.0);
        if (differences.back() > limitSeconds)
            std::printf("apart by %.3f s: %s at JD %.6f\n", differences.back(), ref.key.c_str(), ref.jd);
        byKey.erase(best);
    }
    for (const auto& [key, jd] : byKey)
        std::printf("not in the reference: %s at JD %.6f\n", key.c_str(), jd);
    std::sort(differences.begin(), differences.end());
    const double median = differences.empty() ? 0.0 : differences[differences.size() / 2];
    const double greatest = differences.empty() ? 0.0 : differences.back();
    const auto beyond = std::count_if(differences.begin(), differences.end(), [&](double d) { return d > limitSeconds; });
    std::printf("reference %zu, events %zu, paired %zu, without partner %d + %zu, median %.3f s, greatest %.3f s, "
                "beyond %.0f s: %ld\n",
                reference.size(), events.size(), differences.size(), unmatched, byKey.size(), median, greatest,
                limitSeconds, static_cast<long>(beyond));
    return unmatched == 0 && byKey.empty() && beyond == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s aspects|bodies FROM_JD TO_JD j2000|date geometric|apparent EVENTS.csv\n", argv[0]);
        return 2;
    }
    const std::string what = argv[1];
    const double from = std::atof(argv[2]);
    const double to = std::atof(argv[3]);
    if (std::string(argv[4]) == "j2000")
        g_flags |= SEFLG_J2000 | SEFLG_NONUT;
    if (std::string(argv[5]) == "geometric")
        g_flags |= SEFLG_TRUEPOS;
    swe_set_ephe_path("/usr/share/libswe/ephe");
    const bool aspects = what == "aspects";
    const std::vector<Moment> reference = aspects ? ReferenceAspects(from, to) : ReferenceBodies(from, to);
    // Aspects to within 3 s; nodes to within 1 s; apsides (a flat extreme) to within a minute.
    return Compare(reference, ReadEvents(argv[6], aspects), aspects ? 3.0 : 1.0);
}
