#pragma once

// Small helpers that create a named control at a fixed place, as the form designer would.

#include "ui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

// Passes a MainForm member and its name: the control's objectName is the member's name.
#define NAMED(member) f.member, #member

namespace ui::build {

template <class W> W* place(W*& slot, const char* name, W* w, int x, int y, int width, int height) {
    w->setObjectName(name);
    w->setGeometry(x, y, width, height);
    slot = w;
    return w;
}

inline QLineEdit* edit(QLineEdit*& slot, const char* name, QWidget* p, int x, int y, int w,
                       int h = 20) {
    return place(slot, name, new QLineEdit(p), x, y, w, h);
}

inline QLabel* caption(QWidget* p, const QString& text, int x, int y, int w = 0, int h = 13) {
    auto* l = new QLabel(text, p);
    l->setGeometry(x, y, w > 0 ? w : l->sizeHint().width() + 2, h);
    return l;
}

inline QLabel* label(QLabel*& slot, const char* name, const QString& text, QWidget* p, int x, int y,
                     int w, int h = 13) {
    return place(slot, name, new QLabel(text, p), x, y, w, h);
}

inline QPushButton* button(QPushButton*& slot, const char* name, const QString& text, QWidget* p,
                           int x, int y, int w, int h = 23) {
    auto* b = place(slot, name, new QPushButton(text, p), x, y, w, h);
    b->setAutoDefault(false);
    return b;
}

inline QComboBox* combo(QComboBox*& slot, const char* name, QWidget* p, int x, int y, int w,
                        const QStringList& items = {}, int h = 20) {
    auto* c = place(slot, name, new QComboBox(p), x, y, w, h);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    return c;
}

inline QCheckBox* check(QCheckBox*& slot, const char* name, const QString& text, QWidget* p, int x,
                        int y, int w, int h = 17) {
    return place(slot, name, new QCheckBox(text, p), x, y, w, h);
}

inline QRadioButton* radio(QRadioButton*& slot, const char* name, const QString& text, QWidget* p,
                           int x, int y, int w, int h = 17) {
    return place(slot, name, new QRadioButton(text, p), x, y, w, h);
}

inline PictureButton* picture(PictureButton*& slot, const char* name, const QString& svg,
                              QWidget* p, int x, int y, int w, int h) {
    return place(slot, name, new PictureButton(svg, p), x, y, w, h);
}

inline MemoList* memo(MemoList*& slot, const char* name, QWidget* p, int x, int y, int w, int h) {
    return place(slot, name, new MemoList(p), x, y, w, h);
}

inline QFrame* panel(QFrame*& slot, const char* name, QWidget* p, int x, int y, int w, int h) {
    auto* fr = place(slot, name, new QFrame(p), x, y, w, h);
    fr->setFrameStyle(QFrame::Panel | QFrame::Raised);
    fr->setLineWidth(2);
    fr->setAutoFillBackground(true);
    return fr;
}

inline QFrame* bevel(QFrame*& slot, const char* name, QWidget* p, int x, int y, int w, int h) {
    auto* fr = place(slot, name, new QFrame(p), x, y, w, h);
    fr->setFrameStyle(QFrame::Panel | QFrame::Raised);
    fr->setLineWidth(1);
    return fr;
}

inline QGroupBox* group(QGroupBox*& slot, const char* name, const QString& title, QWidget* p, int x,
                        int y, int w, int h) {
    return place(slot, name, new QGroupBox(title, p), x, y, w, h);
}

// An unnamed group box, for the settings groups that carry only a caption.
inline QGroupBox* frameBox(const QString& title, QWidget* p, int x, int y, int w, int h) {
    auto* g = new QGroupBox(title, p);
    g->setGeometry(x, y, w, h);
    return g;
}

} // namespace ui::build
