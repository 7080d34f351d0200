// Precompiled for the libraries below the widgets: Qt's core types and the standard library.
#pragma once
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>
