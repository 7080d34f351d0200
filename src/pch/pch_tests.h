// Precompiled for the test executables: the widget set and QtTest.
#pragma once
#include "pch_widgets.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
