#pragma once

#include <QStringList>

class IDurationProber;
class IUserDialogs;
class TSourceListView;

// Adds files to the source list as a drop or the Add Files dialog hands them
// over: a row for every path, in order, that the list does not have yet, that
// names a RealMedia file and that plays for a second or more. The files are
// probed on as many workers as the machine has cores, while this thread puts
// the rows in in path order and serves its windows every few milliseconds.
// The files that do not play are named in one dialog at the end; a file whose
// size cannot be read stops the adding with its error. Then the first row is
// selected.
class TFileAdder {
public:
    TFileAdder(TSourceListView& List, const IDurationProber& Prober, IUserDialogs& Dialogs)
        : List(List), Prober(Prober), Dialogs(Dialogs) {}
    void Add(const QStringList& Paths);

private:
    TSourceListView& List;
    const IDurationProber& Prober;
    IUserDialogs& Dialogs;
};
