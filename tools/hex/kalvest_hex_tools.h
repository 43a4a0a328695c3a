#pragma once

#include <QAbstractItemView>
#include <QByteArray>
#include <QItemSelection>
#include <QModelIndex>
#include <QString>
#include <QWidget>

#include <functional>

#include "rowbitmap.h"

QT_BEGIN_NAMESPACE
class Ui_kalvest_hex_tools;
class QFile;
class QSaveFile;
class QTableView;
class QCloseEvent;
QT_END_NAMESPACE

class HexTableModel;
class HexItemDelegate;
class DiffWidget;

// The "Hex" page: two files side by side in hex, with their differences.
// Both tables scroll and select together; the user can go to an address,
// search hex byte patterns, edit bytes and save each file.
class kalvest_hex_tools : public QWidget
{
    Q_OBJECT
public:
    explicit kalvest_hex_tools(QWidget *parent = nullptr);
    ~kalvest_hex_tools() override;

    // Largest file the page loads (whole, into memory).
    static constexpr qint64 MaxFileSize = qint64(512) * 1024 * 1024;

    // The hit shown last (an index of the model it belongs to), or invalid.
    QModelIndex currentSearchHit() const;
    bool isModified(int which) const { return which == 1 ? modified1 : which == 2 ? modified2 : false; }

    // Test seam: replaces the call that writes the bytes into the save file
    // (returns the number of bytes written, -1 on failure). Empty restores it.
    using Writer = std::function<qint64(QSaveFile &, const QByteArray &)>;
    static void setWriterForTests(Writer writer);

public slots:
    void onGotoButton_clicked();
    void updateDiffWidget(QTableView *tableView);
    void onPrevButtonClicked();
    void onNextButtonClicked();
    void onSearchInputReturnPressed();
    void performSearch();
    void onJumpToRow(int row);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void openFile1();
    void openFile2();
    void openFile(int which);
    // Reads the file from its current position to its end (at most one byte
    // past MaxFileSize); says why and returns false when it cannot.
    bool readWhole(QFile &file, const QString &name, QByteArray *out);
    bool saveFile(int which);
    bool saveFileAs(int which);
    bool writeFile(const QString &path, const QByteArray &data);
    bool maybeSave();
    void goToOffset(int offset);
    void showCurrentSearchResult();
    void setupTableView(QTableView *table);
    void syncScrollBars();
    void syncSelection();
    void updateDelegate();

    void onModelChanged(int which, const QModelIndex &topLeft, const QModelIndex &bottomRight,
                        const QList<int> &roles);
    void mirrorSelection(int from, const QItemSelection &selected, const QItemSelection &deselected);
    void clearHighlight();
    void repaintTables();
    bool bothLoaded() const { return model1 && model2; }
    HexTableModel *model(int which) const { return which == 1 ? model1 : which == 2 ? model2 : nullptr; }
    QTableView *table(int which) const;
    // Selects a row of file `which` and scrolls it into view; false when
    // that file has no such row.
    bool selectRow(int which, int row, QAbstractItemView::ScrollHint hint);
    const RowBitmap &hitRows(int which) const { return which == 1 ? hitRows1 : hitRows2; }
    bool hasSearchHits() const;
    qsizetype nextHitInSide(int which, qsizetype from) const;
    qsizetype prevHitInSide(int which, qsizetype before) const;
    bool stepHit(bool forward);
    void stepAndShow(bool forward);

    Ui_kalvest_hex_tools *ui = nullptr;
    HexTableModel *model1 = nullptr;
    HexTableModel *model2 = nullptr;
    HexItemDelegate *delegate = nullptr;
    bool modified1 = false;
    bool modified2 = false;
    QString filePath1;
    QString filePath2;
    DiffWidget *diffWidget = nullptr;
    bool anyModified = false;
    QString fileName1;
    QString fileName2;

    // Search state. Hits are not listed: each file keeps one bit per row that
    // holds a hit, and the hits themselves are found from the current one on.
    // The cycle runs through the hits of file 1, then those of file 2.
    QByteArray searchPattern;
    RowBitmap hitRows1;
    RowBitmap hitRows2;
    int currentSide = 0; // 0: no hit shown
    qsizetype currentOffset = -1;

    bool scrollSynced = false;
    bool selectionSynced = false;
    QList<QMetaObject::Connection> connections;
};
