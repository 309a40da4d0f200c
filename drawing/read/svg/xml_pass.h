#pragma once
// One pass over a drawing's XML that writes it back as it goes: the document's start and end
// are written here, each element's start and end and each run of text go to the rewriter (which
// has `Start()`, `End()` and `Characters()`); comments and the like are dropped. Stops early
// once `going` turns false.

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

template <class Rewriter>
void PassXml(QXmlStreamReader& reader, QXmlStreamWriter& writer, Rewriter& rewriter,
             const bool& going) {
    writer.setAutoFormatting(false);
    while (!reader.atEnd() && going) {
        switch (reader.readNext()) {
            case QXmlStreamReader::StartDocument:
                writer.writeStartDocument();
                break;
            case QXmlStreamReader::EndDocument:
                writer.writeEndDocument();
                break;
            case QXmlStreamReader::StartElement:
                rewriter.Start();
                break;
            case QXmlStreamReader::EndElement:
                rewriter.End();
                break;
            case QXmlStreamReader::Characters:
                rewriter.Characters();
                break;
            default:
                break;
        }
    }
}
