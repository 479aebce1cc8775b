#include "rapport/dessin_rapport.h"

#include <QBuffer>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "base/chemins.h"
#include "base/echecs_fichiers.h"
#include "base/erreur.h"
#include "base/fenetres_qt.h"
#include "base/nombres.h"
#include "chart/dessin_courbe.h"
#include "chart/vue_courbe.h"

namespace quorva {

namespace {

QString u8(const std::string& texte) { return QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size())); }

// A block of the page (points) in the painter's units.
QRectF en_unites(const bloc_page& b, double k) { return QRectF(b.x * k, b.y * k, b.largeur * k, b.hauteur * k); }

void police(QPainter& peintre, double taille, bool gras = false) {
    QFont f = peintre.font();
    f.setFamily("DejaVu Sans");
    f.setPointSizeF(taille);
    f.setBold(gras);
    // No ligatures: the PDF's text reads back letter for letter ("fi", not
    // one glyph).
    f.setStyleStrategy(QFont::PreferNoShaping);
    peintre.setFont(f);
}

// Text whose baseline's left end is at (x, y).
void texte(QPainter& peintre, double x, double y, const QString& t) { peintre.drawText(QPointF(x, y), t); }

void dessiner_tableau(QPainter& peintre, const contenu_rapport& c, const page_rapport& p, double k) {
    const QRectF zone = en_unites(p.tableau, k);
    const double rangee = hauteur_rangee * k;
    const double colonnes[4] = {0, 22 * k, 72 * k, 160 * k};
    police(peintre, taille_petite + 0.5, true);
    const QFontMetricsF mesure(peintre.font(), peintre.device());
    const double base = (rangee + mesure.ascent() - mesure.descent()) / 2;
    for (int i = 0; i < 4 && i < static_cast<int>(c.colonnes.size()); ++i)
        texte(peintre, zone.left() + colonnes[i], zone.top() + base, u8(c.colonnes[static_cast<std::size_t>(i)]));
    peintre.setPen(QPen(Qt::black, 0));
    peintre.drawLine(QPointF(zone.left(), zone.top() + rangee), QPointF(zone.right(), zone.top() + rangee));
    police(peintre, taille_texte);
    double y = zone.top() + rangee;
    if (c.evenements.empty()) texte(peintre, zone.left(), y + base, u8(c.sans_evenement));
    for (int i = 0; i < p.rangees_montrees && i < static_cast<int>(c.evenements.size()); ++i, y += rangee) {
        const auto& e = c.evenements[static_cast<std::size_t>(i)];
        texte(peintre, zone.left() + colonnes[0], y + base, QString::number(e.numero));
        texte(peintre, zone.left() + colonnes[1], y + base, u8(e.debut));
        texte(peintre, zone.left() + colonnes[2], y + base, u8(e.energie));
        texte(peintre, zone.left() + colonnes[3], y + base, u8(e.intervalle));
    }
    if (p.rangees_omises > 0) {
        police(peintre, taille_petite);
        texte(peintre, zone.left(), y + base,
              u8(texte_omises(p.rangees_omises, static_cast<int>(c.evenements.size()), c.langue)));
    }
}

// A value of a plot's axis, short.
QString court(double v, char separateur) {
    QString t = QString::number(v, 'g', 6);
    if (separateur != '.') t.replace('.', QChar(separateur));
    return t;
}

void dessiner_relation(QPainter& peintre, const relation& r, const bloc_page& bloc, double k, char separateur) {
    const QRectF zone = en_unites(bloc, k);
    police(peintre, taille_texte, true);
    const QFontMetricsF mesure(peintre.font(), peintre.device());
    const double ligne = mesure.height();
    peintre.setPen(Qt::black);
    texte(peintre, zone.left(), zone.top() + mesure.ascent(), u8(r.titre));
    police(peintre, taille_texte);
    if (!r.vide.empty()) {
        texte(peintre, zone.left(), zone.top() + mesure.ascent() + 1.5 * ligne, u8(r.vide));
        return;
    }
    texte(peintre, zone.left(), zone.top() + mesure.ascent() + 1.3 * ligne, u8(r.texte_coefficient));
    if (!r.remarque.empty()) {
        police(peintre, taille_petite);
        texte(peintre, zone.left(), zone.top() + mesure.ascent() + 2.4 * ligne, u8(r.remarque));
    }
    const QRectF cadre(zone.left() + 40 * k, zone.top() + 3.6 * ligne, zone.width() - 44 * k,
                       zone.height() - 3.6 * ligne - 2.6 * ligne);
    peintre.setPen(QPen(Qt::black, 0));
    peintre.setBrush(Qt::NoBrush);
    peintre.drawRect(cadre);
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    for (std::size_t i = 0; i < r.points.size(); ++i) {
        const auto& p = r.points[i];
        x0 = i == 0 ? p.x : std::min(x0, p.x);
        x1 = i == 0 ? p.x : std::max(x1, p.x);
        y0 = i == 0 ? p.y : std::min(y0, p.y);
        y1 = i == 0 ? p.y : std::max(y1, p.y);
    }
    const auto elargir = [](double& a, double& b) {
        const double marge = b > a ? (b - a) * 0.06 : std::max(std::abs(a) * 0.1, 1.0);
        a -= marge;
        b += marge;
    };
    elargir(x0, x1);
    elargir(y0, y1);
    const auto px = [&](double x) { return cadre.left() + (x - x0) / (x1 - x0) * cadre.width(); };
    const auto py = [&](double y) { return cadre.bottom() - (y - y0) / (y1 - y0) * cadre.height(); };
    police(peintre, taille_petite);
    const QFontMetricsF petite(peintre.font(), peintre.device());
    texte(peintre, cadre.left(), cadre.bottom() + petite.ascent() + 1 * k, court(x0, separateur));
    const QString x_fin = court(x1, separateur);
    texte(peintre, cadre.right() - petite.horizontalAdvance(x_fin), cadre.bottom() + petite.ascent() + 1 * k, x_fin);
    const QString axe_x = u8(r.axe_x);
    texte(peintre, cadre.center().x() - petite.horizontalAdvance(axe_x) / 2,
          cadre.bottom() + petite.ascent() + petite.height() + 1 * k, axe_x);
    const QString y_bas = court(y0, separateur), y_haut = court(y1, separateur);
    texte(peintre, cadre.left() - 2 * k - petite.horizontalAdvance(y_bas), cadre.bottom(), y_bas);
    texte(peintre, cadre.left() - 2 * k - petite.horizontalAdvance(y_haut), cadre.top() + petite.ascent(), y_haut);
    peintre.save();
    peintre.translate(cadre.left() - 4 * k, cadre.center().y());
    peintre.rotate(-90);
    const QString axe_y = u8(r.axe_y);
    texte(peintre, -petite.horizontalAdvance(axe_y) / 2, 0, axe_y);
    peintre.restore();

    peintre.save();
    peintre.setClipRect(cadre);
    if (r.avec_coefficient) {
        peintre.setPen(QPen(QColor(0, 90, 200), 0.8 * k));
        peintre.drawLine(QPointF(px(x0), py(r.pente * x0 + r.ordonnee)), QPointF(px(x1), py(r.pente * x1 + r.ordonnee)));
    }
    peintre.setRenderHint(QPainter::Antialiasing, true);
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(QColor(200, 0, 0));
    for (const auto& p : r.points) peintre.drawEllipse(QPointF(px(p.x), py(p.y)), 1.6 * k, 1.6 * k);
    peintre.restore();
}

// Whether a path ends with the extension (".png"), whatever the case.
bool finit_par(const std::string& chemin, const char* extension) {
    const std::string e = extension;
    if (chemin.size() < e.size()) return false;
    std::string fin = chemin.substr(chemin.size() - e.size());
    std::transform(fin.begin(), fin.end(), fin.begin(), [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return fin == e;
}
bool est_png(const std::string& chemin) { return finit_par(chemin, ".png"); }

std::string octets_rapport(const contenu_rapport& c, const etat_conversion& etat, bool png, char separateur) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    if (png) {
        const QSize a4 = QPageSize(QPageSize::A4).sizePixels(points_par_pouce_rapport).transposed();
        QImage page(a4, QImage::Format_RGB32);
        const int par_metre = static_cast<int>(std::lround(points_par_pouce_rapport / 0.0254));
        page.setDotsPerMeterX(par_metre);
        page.setDotsPerMeterY(par_metre);
        page.fill(Qt::white);
        {
            QPainter peintre(&page);
            dessiner_rapport(peintre, c, etat, separateur);
        }
        // Fast compression: a page is mostly white, the file stays small.
        page.save(&tampon, "PNG", 80);
    } else {
        QPdfWriter pdf(&tampon);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
        pdf.setResolution(points_par_pouce_rapport);
        pdf.setCreator("Quorva");
        pdf.setTitle(qt(c.nom));
        QPainter peintre(&pdf);
        dessiner_rapport(peintre, c, etat, separateur);
    }
    return std::string(octets.constData(), static_cast<std::size_t>(octets.size()));
}

}  // namespace

void dessiner_rapport(QPainter& peintre, const contenu_rapport& c, const etat_conversion& etat, char separateur) {
    const page_rapport p = mise_en_page(static_cast<int>(c.evenements.size()));
    const double k = peintre.device()->logicalDpiX() / 72.0;
    peintre.setPen(Qt::black);
    police(peintre, taille_titre, true);
    const QRectF titre = en_unites(p.titre, k);
    texte(peintre, titre.left(), titre.bottom() - QFontMetricsF(peintre.font(), peintre.device()).descent(),
          qt(c.nom) + u8(c.suffixe_titre));
    police(peintre, taille_texte);
    const QRectF entete = en_unites(p.entete, k);
    texte(peintre, entete.left(), entete.bottom() - QFontMetricsF(peintre.font(), peintre.device()).descent(),
          u8(c.entete));

    // The whole recording, one trace column per device pixel of the curve's
    // width: the chart's own drawing at full view.
    const QRectF courbe = en_unites(p.courbe, k);
    vue_courbe vue;
    vue.largeur = std::max(1, static_cast<int>(std::lround(courbe.width())));
    vue.hauteur = std::max(1, static_cast<int>(std::lround(courbe.height())));
    ouvrir_vue(vue, etat);
    trace_courbe trace;
    calculer_trace(vue, etat, trace);
    options_figure o;
    o.numeros = c.positions;
    o.axe_temps = u8(c.axe_temps);
    o.axe_amplitude = u8(c.axe_amplitude);
    o.taille_texte = taille_petite;
    o.separateur = separateur;
    tampons_dessin tampons;
    dessiner_figure(peintre, courbe, vue, trace, etat, o, tampons);

    dessiner_tableau(peintre, c, p, k);
    dessiner_relation(peintre, c.intervalles, p.relation_intervalles, k, separateur);
    dessiner_relation(peintre, c.debuts, p.relation_debuts, k, separateur);
}

void ecrire_rapport(services& ctx, const etat_conversion& etat, const std::string& chemin_wav,
                    const std::string& chemin_rapport, int langue) {
    const contenu_rapport c = preparer_rapport(etat, nom_de(chemin_wav), date_maintenant(), langue,
                                               ctx.separateur_decimal);
    const std::string octets = octets_rapport(c, etat, est_png(chemin_rapport), ctx.separateur_decimal);
    try {
        auto sortie = ctx.os.create_file(chemin_rapport);
        sortie->write(octets);
        sortie->commit();
    } catch (const WriteError& e) {
        // As for the workbook: the cause the system gave, the old file whole.
        const char* cause = texte_cause_rapport(e.cause());
        const std::string raison =
            cause ? message(cause, chemin_rapport) : raison_ecriture("Le compte rendu %s", chemin_rapport, e.cause());
        if (raison.empty()) throw;
        throw erreur_quorva(std::string(e.what()) + "\r" + raison);
    }
}

void enregistrer_rapport(services& ctx, const etat_conversion& etat, int langue, QWidget& parent,
                         const std::function<std::string(const std::string&)>& choisir) {
    const std::string chemin_wav =
        etat.fichier_pointes.size() > 4 ? etat.fichier_pointes.substr(0, etat.fichier_pointes.size() - 4) : "";
    const std::string propose = chemin_rapport_propose(chemin_wav);
    std::string chemin;
    if (choisir) {
        chemin = choisir(propose);
    } else {
        const QString titre = QString::fromUtf8(langue == 2 ? "Enregistrer le compte rendu" : "Save the report");
        QFileDialog dialogue(&parent, titre, QString::fromStdString(ctx.os.dialog_path(propose)),
                             "PDF (*.pdf);;PNG (*.png)");
        dialogue.setObjectName("SaveDialog_rapport");
        dialogue.setAcceptMode(QFileDialog::AcceptSave);
        dialogue.setDefaultSuffix("pdf");
        QObject::connect(&dialogue, &QFileDialog::filterSelected, &dialogue, [&dialogue](const QString& filtre) {
            dialogue.setDefaultSuffix(filtre.startsWith("PNG") ? "png" : "pdf");
        });
        if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) return;
        // Qt writes "/" on every system: the path as the user's system writes it.
        chemin = ctx.os.path_from_dialog(dialogue.selectedFiles().first().toStdString());
    }
    if (chemin.empty()) return;
    // A name typed without its extension, or with another one (the
    // recording's, its workbook's), becomes a PDF beside them, never over them.
    if (!est_png(chemin) && !finit_par(chemin, ".pdf")) chemin += ".pdf";
    ecrire_rapport(ctx, etat, chemin_wav, chemin, langue);
}

}  // namespace quorva
