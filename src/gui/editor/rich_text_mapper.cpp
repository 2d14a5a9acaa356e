#include "gui/editor/rich_text_mapper.h"

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

namespace folix::gui {
namespace {

// Pictures live in the editor's document as resources named by this scheme; the model's own
// bytes are kept beside them so that a save writes the very file the picture came from.
constexpr char kPictureScheme[] = "folix-picture:";
constexpr char kPicturePropertyName[] = "folix-picture-index";
constexpr int kPictureProperty = QTextFormat::UserProperty + 1;

QTextCharFormat ToCharFormat(const RtfCharFormat& format) {
    QTextCharFormat result;
    if (format.bold) {
        result.setFontWeight(QFont::Bold);
    }
    if (format.italic) {
        result.setFontItalic(true);
    }
    if (format.underline) {
        result.setFontUnderline(true);
    }
    if (format.strike_out) {
        result.setFontStrikeOut(true);
    }
    if (!format.font.empty()) {
        result.setFontFamilies({QString::fromStdString(format.font)});
    }
    if (format.half_points > 0) {
        result.setFontPointSize(format.half_points / 2.0);
    }
    if (format.color) {
        result.setForeground(QColor(format.color->red, format.color->green, format.color->blue));
    }
    return result;
}

RtfCharFormat FromCharFormat(const QTextCharFormat& format) {
    RtfCharFormat result;
    result.bold = format.fontWeight() >= QFont::Bold;
    result.italic = format.fontItalic();
    result.underline = format.fontUnderline();
    result.strike_out = format.fontStrikeOut();
    if (format.hasProperty(QTextFormat::FontFamilies)) {
        QStringList families = format.fontFamilies().toStringList();
        if (!families.isEmpty()) {
            result.font = families.first().toStdString();
        }
    }
    if (format.hasProperty(QTextFormat::FontPointSize)) {
        result.half_points = static_cast<int>(format.fontPointSize() * 2 + 0.5);
    }
    if (format.hasProperty(QTextFormat::ForegroundBrush)) {
        QColor color = format.foreground().color();
        result.color =
            RtfColor{static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
                     static_cast<uint8_t>(color.blue())};
    }
    return result;
}

Qt::Alignment ToAlignment(RtfAlignment alignment) {
    switch (alignment) {
        case RtfAlignment::kCenter:
            return Qt::AlignHCenter;
        case RtfAlignment::kRight:
            return Qt::AlignRight;
        case RtfAlignment::kJustify:
            return Qt::AlignJustify;
        case RtfAlignment::kLeft:
            break;
    }
    return Qt::AlignLeft;
}

RtfAlignment FromAlignment(Qt::Alignment alignment) {
    if (alignment & Qt::AlignHCenter) {
        return RtfAlignment::kCenter;
    }
    if (alignment & Qt::AlignRight) {
        return RtfAlignment::kRight;
    }
    if (alignment & Qt::AlignJustify) {
        return RtfAlignment::kJustify;
    }
    return RtfAlignment::kLeft;
}

using PictureList = std::vector<std::shared_ptr<const RtfPicture>>;

// The pictures of one editor document, kept in a child object so they live and die with it.
class PictureStore : public QObject {
public:
    explicit PictureStore(QObject* parent) : QObject(parent) {
        setObjectName(kPicturePropertyName);
    }
    PictureList pictures;
};

PictureList& PicturesOf(const QTextDocument& document) {
    auto* store = document.findChild<QObject*>(kPicturePropertyName, Qt::FindDirectChildrenOnly);
    if (store == nullptr) {
        store = new PictureStore(const_cast<QTextDocument*>(&document));
    }
    return static_cast<PictureStore*>(store)->pictures;
}

}  // namespace

void FillTextDocument(const RtfDocument& source, QTextDocument& target) {
    target.clear();
    PictureList& pictures = PicturesOf(target);
    pictures.clear();
    QTextCursor cursor(&target);
    bool first = true;
    for (const RtfParagraph& paragraph : source.paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(ToAlignment(paragraph.alignment));
        if (first) {
            cursor.setBlockFormat(block);
            first = false;
        } else {
            cursor.insertBlock(block);
        }
        for (const RtfRun& run : paragraph.runs) {
            if (run.picture) {
                const int index = static_cast<int>(pictures.size());
                pictures.push_back(run.picture);
                const QString name = kPictureScheme + QString::number(index);
                QImage image =
                    QImage::fromData(reinterpret_cast<const uchar*>(run.picture->data.data()),
                                     static_cast<int>(run.picture->data.size()));
                target.addResource(QTextDocument::ImageResource, QUrl(name), image);
                QTextImageFormat format;
                format.setName(name);
                format.setProperty(kPictureProperty, index);
                if (run.picture->goal_width > 0 && run.picture->goal_height > 0) {
                    // Twips to pixels at the usual 96 dots an inch.
                    format.setWidth(run.picture->goal_width / 15.0);
                    format.setHeight(run.picture->goal_height / 15.0);
                }
                cursor.insertImage(format);
                continue;
            }
            QString text = QString::fromStdString(run.text);
            cursor.insertText(text, ToCharFormat(run.format));
        }
    }
    target.setModified(false);
}

RtfDocument ReadTextDocument(const QTextDocument& source) {
    const PictureList& pictures = PicturesOf(source);
    RtfDocument result;
    result.paragraphs.clear();
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
        RtfParagraph paragraph;
        paragraph.alignment = FromAlignment(block.blockFormat().alignment());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat() && format.hasProperty(kPictureProperty)) {
                const int index = format.property(kPictureProperty).toInt();
                if (index >= 0 && index < static_cast<int>(pictures.size())) {
                    // One fragment may hold several copies of the same picture.
                    for (int i = 0; i < fragment.length(); ++i) {
                        paragraph.runs.push_back(RtfRun{"", FromCharFormat(format),
                                                        pictures[static_cast<size_t>(index)]});
                    }
                }
                continue;
            }
            AppendText(paragraph, fragment.text().toStdString(), FromCharFormat(format));
        }
        result.paragraphs.push_back(std::move(paragraph));
    }
    if (result.paragraphs.empty()) {
        result.paragraphs.emplace_back();
    }
    return result;
}

}  // namespace folix::gui
