#pragma once
// What the GPS Debug page keeps between its slots: the sentence framer and
// decoder, the current position for the map and the track file, the receive
// display and the map.

#include <QDialog>
#include <QHash>
#include <QObject>
#include <QPointer>

#include "gpsmapbridge.h"
#include "gpstrack.h"
#include "gpssignal.h"
#include "gpssignalcharts.h"
#include "nmea.h"

class ReceiveDisplay;
class QTcpSocket;
namespace Ui {
class GPScalculate;
}

class GpsPageState : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    NmeaFramer framer;
    NmeaDecoder decoder;
    // The position the map and the track file get (signed degrees).
    GpsPosition position;
    ReceiveDisplay *display = nullptr;
    GpsMapBridge *map = nullptr;
    // The "GPS Signal" dialog of the current opening, its charts and worker.
    QPointer<QDialog> signalDialog;
    QPointer<GpsSignalCharts> signalCharts;
    QPointer<GPS_Signal> signalWorker;
    // The last save of the track file failed: the failure stays in the
    // status bar until a save succeeds or saving is turned off.
    bool trackSaveFailed = false;
    // Remote positions: one message buffer per client.
    QHash<QTcpSocket *, GpsTrack::LineBuffer> clientBuffers;
    // The "GPS calculation" dialog and its form.
    QPointer<QDialog> calcDialog;
    Ui::GPScalculate *calcUi = nullptr;
};
