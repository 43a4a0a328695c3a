#pragma once
// Geodesy of the GPS calculator, plain numbers only: great-circle distance
// and Universal Transverse Mercator on 23 reference ellipsoids.

#include <QString>

namespace Geodesy {

struct Ellipsoid
{
    const char *name;
    double a;  // equatorial radius, metres
    double e2; // eccentricity squared
};

// Index 1 to 23 (entry 0 is all zeros and never used).
constexpr int kEllipsoidCount = 23;
const Ellipsoid &ellipsoid(int index);

constexpr double kDegToRad = 0.017453292519944444; // 3.14159265359 / 180
constexpr double kRadToDeg = 57.29577951307855;
constexpr double kK0 = 0.9996;
constexpr double kFalseEasting = 500000.0;
constexpr double kFalseNorthingSouth = 10000000.0;
constexpr double kEarthRadiusKm = 6378.137;

// d * 3.1415926535898 / 180
double rad(double degrees);
// Haversine distance in kilometres on a sphere of kEarthRadiusKm.
double distanceKm(double lat1, double lon1, double lat2, double lon2);

// Band letter of a latitude: "C" to "X" (no I, O) for -80 to 84, else 'Z'.
char bandLetter(double latitude);

// Longitude brought into [-180, 180).
double normaliseLongitude(double longitude);
// UTM zone of a position, with the Norway and Svalbard exceptions.
int zoneOf(double latitude, double longitude);

struct Utm
{
    double easting = 0;
    double northing = 0;
    QString zone; // zone number and band letter, e.g. "32U"
};

// Forward conversion on ellipsoid 1 to 23.
Utm toUtm(int ellipsoid, double latitude, double longitude);

// Inverse conversion. The zone text is a zone number 1 to 60 followed by a
// band letter C to X without I and O (either case); below N is the southern
// hemisphere. False, with the reason, for any other zone text.
bool fromUtm(int ellipsoid, double easting, double northing, const QString &zone, double *latitude,
             double *longitude, QString *error);

} // namespace Geodesy
