#include "geodesy.h"

#include <QCoreApplication>
#include <cmath>

namespace Geodesy {

namespace {
const Ellipsoid kEllipsoids[kEllipsoidCount + 1] = {
    {"", 0, 0},
    {"Airy", 6377563, 0.00667054},
    {"Australian National", 6378160, 0.006694542},
    {"Bessel 1841", 6377397, 0.006674372},
    {"Bessel 1841 (Nambia) ", 6377484, 0.006674372},
    {"Clarke 1866", 6378206, 0.006768658},
    {"Clarke 1880", 6378249, 0.006803511},
    {"Everest", 6377276, 0.006637847},
    {"Fischer 1960 (Mercury) ", 6378166, 0.006693422},
    {"Fischer 1968", 6378150, 0.006693422},
    {"GRS 1967", 6378160, 0.006694605},
    {"GRS 1980", 6378137, 0.00669438},
    {"Helmert 1906", 6378200, 0.006693422},
    {"Hough", 6378270, 0.00672267},
    {"International", 6378388, 0.00672267},
    {"Krassovsky", 6378245, 0.006693422},
    {"Modified Airy", 6377340, 0.00667054},
    {"Modified Everest", 6377304, 0.006637847},
    {"Modified Fischer 1960", 6378155, 0.006693422},
    {"South American 1969", 6378160, 0.006694542},
    {"WGS 60", 6378165, 0.006693422},
    {"WGS 66", 6378145, 0.006694542},
    {"WGS-72", 6378135, 0.006694318},
    {"WGS-84", 6378137, 0.00669438},
};
} // namespace

const Ellipsoid &ellipsoid(int index)
{
    if (index < 1 || index > kEllipsoidCount)
        index = kEllipsoidCount; // callers pass 1..23; anything else is WGS-84
    return kEllipsoids[index];
}

double rad(double degrees)
{
    return degrees * 3.1415926535898 / 180.0;
}

double distanceKm(double lat1, double lon1, double lat2, double lon2)
{
    const double p1 = rad(lat1);
    const double p2 = rad(lat2);
    const double sLat = std::sin((p1 - p2) / 2);
    const double sLon = std::sin((rad(lon1) - rad(lon2)) / 2);
    const double h = sLat * sLat + std::cos(p1) * std::cos(p2) * sLon * sLon;
    return 2 * std::asin(std::sqrt(std::min(1.0, h))) * kEarthRadiusKm;
}

char bandLetter(double lat)
{
    if (lat > 84 || lat < -80 || std::isnan(lat))
        return 'Z';
    if (lat >= 72)
        return 'X';
    static const char kBands[] = "CDEFGHJKLMNPQRSTUVW"; // from -80, 8 degrees each
    const int i = static_cast<int>(std::floor((lat + 80) / 8));
    return kBands[std::max(0, std::min(i, 18))];
}

double normaliseLongitude(double lon)
{
    // floor, not truncation: -190 becomes 170, not a zone 0.
    return (lon + 180) - std::floor((lon + 180) / 360) * 360 - 180;
}

int zoneOf(double lat, double lon)
{
    const double l = normaliseLongitude(lon);
    int zone = static_cast<int>(std::floor((l + 180) / 6)) + 1;
    if (zone > 60)
        zone = 60;
    if (lat >= 56 && lat < 64 && l >= 3 && l < 12)
        zone = 32;
    if (lat >= 72 && lat < 84) {
        if (l >= 0 && l < 9)
            zone = 31;
        else if (l >= 9 && l < 21)
            zone = 33;
        else if (l >= 21 && l < 33)
            zone = 35;
        else if (l >= 33 && l < 42)
            zone = 37;
    }
    return zone;
}

Utm toUtm(int index, double lat, double lon)
{
    const Ellipsoid &el = ellipsoid(index);
    const double a = el.a;
    const double e2 = el.e2;
    const double ep2 = e2 / (1 - e2);
    const double l = normaliseLongitude(lon);
    const int zone = zoneOf(lat, lon);
    const double phi = lat * kDegToRad;
    const double lambda0 = (zone * 6 - 183) * kDegToRad;

    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double tanPhi = std::tan(phi);
    const double N = a / std::sqrt(1 - e2 * sinPhi * sinPhi);
    const double T = tanPhi * tanPhi;
    const double C = ep2 * cosPhi * cosPhi;
    const double A = cosPhi * (l * kDegToRad - lambda0);
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double M = a * ((1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256) * phi
                          - (3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024) * std::sin(2 * phi)
                          + (15 * e4 / 256 + 45 * e6 / 1024) * std::sin(4 * phi)
                          - (35 * e6 / 3072) * std::sin(6 * phi));

    Utm u;
    u.easting = kK0 * N
                    * (A + (1 - T + C) * A * A * A / 6
                       + (5 - 18 * T + T * T + 72 * C - 58 * ep2) * A * A * A * A * A / 120)
                + kFalseEasting;
    u.northing = kK0
                 * (M + N * tanPhi
                            * (A * A / 2 + (5 - T + 9 * C + 4 * C * C) * A * A * A * A / 24
                               + (61 - 58 * T + T * T + 600 * C - 330 * ep2) * A * A * A * A * A * A / 720));
    if (lat < 0)
        u.northing += kFalseNorthingSouth;
    u.zone = QString::number(zone) + QLatin1Char(bandLetter(lat));
    return u;
}

bool fromUtm(int index, double easting, double northing, const QString &zoneText, double *latitude,
             double *longitude, QString *error)
{
    const QString text = zoneText.trimmed().toUpper();
    int digits = 0;
    while (digits < text.size() && text.at(digits).isDigit() && text.at(digits).unicode() < 128)
        ++digits;
    bool ok = false;
    const int zone = text.left(digits).toInt(&ok);
    if (digits == 0 || !ok || zone < 1 || zone > 60) {
        *error = QCoreApplication::translate("Geodesy", "The UTM zone must start with a zone number from 1 to 60.");
        return false;
    }
    const QString band = text.mid(digits);
    static const QString kBands = QStringLiteral("CDEFGHJKLMNPQRSTUVWX");
    if (band.size() != 1 || !kBands.contains(band.at(0))) {
        *error = QCoreApplication::translate("Geodesy",
                                             "The UTM zone must end with one band letter from C to X (not I or O).");
        return false;
    }
    if (!std::isfinite(easting) || !std::isfinite(northing)) {
        *error = QCoreApplication::translate("Geodesy", "Easting and northing must be numbers.");
        return false;
    }

    const Ellipsoid &el = ellipsoid(index);
    const double a = el.a;
    const double e2 = el.e2;
    const double ep2 = e2 / (1 - e2);
    const double x = easting - kFalseEasting;
    double y = northing;
    if (band.at(0) < QLatin1Char('N'))
        y -= kFalseNorthingSouth;

    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double e1 = (1 - std::sqrt(1 - e2)) / (1 + std::sqrt(1 - e2));
    const double mu = (y / kK0) / (a * (1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256));
    const double phi1 = mu + (3 * e1 / 2 - 27 * e1 * e1 * e1 / 32) * std::sin(2 * mu)
                        + (21 * e1 * e1 / 16 - 55 * e1 * e1 * e1 * e1 / 32) * std::sin(4 * mu)
                        + (151 * e1 * e1 * e1 / 96) * std::sin(6 * mu);
    const double sin1 = std::sin(phi1);
    const double cos1 = std::cos(phi1);
    const double tan1 = std::tan(phi1);
    const double N1 = a / std::sqrt(1 - e2 * sin1 * sin1);
    const double T1 = tan1 * tan1;
    const double C1 = ep2 * cos1 * cos1;
    const double R1 = a * (1 - e2) / std::pow(1 - e2 * sin1 * sin1, 1.5);
    const double D = x / (N1 * kK0);

    const double lat = phi1
                       - (N1 * tan1 / R1)
                             * (D * D / 2 - (5 + 3 * T1 + 10 * C1 - 4 * C1 * C1 - 9 * ep2) * D * D * D * D / 24
                                + (61 + 90 * T1 + 298 * C1 + 45 * T1 * T1 - 252 * ep2 - 3 * C1 * C1) * D * D * D * D
                                      * D * D / 720);
    const double lon = (D - (1 + 2 * T1 + C1) * D * D * D / 6
                        + (5 - 2 * C1 + 28 * T1 - 3 * C1 * C1 + 8 * ep2 + 24 * T1 * T1) * D * D * D * D * D / 120)
                       / cos1;
    *latitude = lat * kRadToDeg;
    *longitude = lon * kRadToDeg + (zone * 6 - 183);
    return true;
}

} // namespace Geodesy
