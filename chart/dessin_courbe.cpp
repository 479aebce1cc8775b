#include "chart/dessin_courbe.h"

#include <QFontMetricsF>
#include <algorithm>
#include <array>

#include "base/fenetres_qt.h"

namespace quorva {

namespace {

const QColor couleur_selection(255, 140, 0);
const QColor couleur_detecteur(0, 110, 255);

// Pixels haut to bas (rows) of column x, clipped to the bitmap.
void colonne_pixels(QImage& bitmap, int x, int haut, int bas, QRgb couleur) {
    if (x < 0 || x >= bitmap.width()) return;
    auto* pixels = reinterpret_cast<QRgb*>(bitmap.bits()) + x;
    const qsizetype ligne = bitmap.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    const int fin = std::min(bas, bitmap.height() - 1);
    for (int y = std::max(haut, 0); y <= fin; ++y) pixels[y * ligne] = couleur;
}

// The white background and the signal's black runs, one per column, written
// straight into the bitmap in one pass, row after row: the cost is the
// image's size, whatever the zoom and however tall the runs (a dense full
// view would otherwise write most of the image pixel by pixel). A column
// given a colour (marques[x] != 0) takes it over the whole height, at no
// cost: its run is made the whole height, and marques becomes the colour
// of each column's run.
void remplir_fond(QImage& bitmap, const std::vector<colonne_enveloppe>& enveloppe, QRgb* marques,
                  std::vector<int>& haut_colonne, std::vector<int>& bas_colonne) {
    const int largeur = bitmap.width(), hauteur = bitmap.height();
    haut_colonne.assign(static_cast<std::size_t>(largeur), hauteur);  // no run: below the image
    bas_colonne.assign(static_cast<std::size_t>(largeur), hauteur);
    for (const auto& c : enveloppe) {
        if (c.x < 0 || c.x >= largeur) continue;
        haut_colonne[static_cast<std::size_t>(c.x)] = c.haut;
        bas_colonne[static_cast<std::size_t>(c.x)] = c.bas;
    }
    int *haut = haut_colonne.data(), *bas = bas_colonne.data();
    // Black is 0xFF000000 and white 0xFFFFFFFF: a pixel outside its column's
    // run takes all the bits of an all-ones mask.
    static_assert(qRgb(0, 0, 0) == 0xFF000000u && qRgb(255, 255, 255) == 0xFFFFFFFFu);
    if (marques != nullptr) {
        for (int x = 0; x < largeur; ++x) {
            if (marques[x] != 0) {
                haut[x] = 0;
                bas[x] = hauteur;
            } else {
                marques[x] = qRgb(0, 0, 0);
            }
        }
    }
    auto* pixels = reinterpret_cast<QRgb*>(bitmap.bits());
    const qsizetype ligne = bitmap.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    for (int y = 0; y < hauteur; ++y) {
        QRgb* rangee = pixels + y * ligne;
        if (marques == nullptr) {
            for (int x = 0; x < largeur; ++x) {
                const std::uint32_t dehors = -static_cast<std::uint32_t>((y < haut[x]) | (y > bas[x]));
                rangee[x] = 0xFF000000u | dehors;
            }
        } else {
            for (int x = 0; x < largeur; ++x) {
                const std::uint32_t dehors = -static_cast<std::uint32_t>((y < haut[x]) | (y > bas[x]));
                rangee[x] = marques[x] | dehors;
            }
        }
    }
}

// The selected mark's arrowhead, relative to its column.
const std::array<QPoint, 3> fleche = {QPoint(-5, 0), QPoint(6, 0), QPoint(1, 7)};

// The pixels of the arrowhead as the painter fills it, found once.
const std::vector<QPoint>& pixels_fleche() {
    static const std::vector<QPoint> pixels = [] {
        constexpr int c = 16;
        QImage image(2 * c, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter peintre(&image);
            peintre.translate(c, 0);
            peintre.setPen(Qt::NoPen);
            peintre.setBrush(couleur_selection);
            peintre.drawPolygon(fleche.data(), 3);
        }
        std::vector<QPoint> resultat;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) resultat.emplace_back(x - c, y);
        return resultat;
    }();
    return pixels;
}

void dessiner_detecteur(QPainter& peintre, const vue_courbe& vue, const trace_courbe& trace, QPolygon& polyligne) {
    polyligne.resize(static_cast<int>(trace.detecteur.size()));
    for (int i = 0; i < polyligne.size(); ++i) polyligne[i] = QPoint(trace.detecteur[i].x, trace.detecteur[i].y);
    peintre.setPen(QPen(couleur_detecteur, 0));
    if (!polyligne.isEmpty()) peintre.drawPolyline(polyligne);
    peintre.setPen(QPen(couleur_detecteur, 0, Qt::DashLine));
    peintre.drawLine(0, trace.y_seuil, vue.largeur - 1, trace.y_seuil);
}

}  // namespace

void dessiner_courbe(QPainter& peintre, const QRectF& zone, const vue_courbe& vue, const trace_courbe& trace,
                     tampons_dessin& t, bool marques_derriere) {
    // The marks and the selected mark cover whole columns: their colour per
    // column (0 for none).
    colonnes_marquees(trace, vue.largeur, t.marques);
    t.couleur_colonne.resize(t.marques.size());
    for (std::size_t x = 0; x < t.marques.size(); ++x)
        t.couleur_colonne[x] = t.marques[x] == marque_colonne::selection ? couleur_selection.rgb()
                               : t.marques[x] == marque_colonne::pointe  ? qRgb(255, 0, 0)
                                                                         : 0;
    const int c_sel = trace.colonne_selection;
    auto* image = peintre.device() && peintre.device()->devType() == QInternal::Image
                      ? static_cast<QImage*>(peintre.device())
                      : nullptr;
    const bool bitmap_entier = !marques_derriere && image && image->format() == QImage::Format_RGB32 &&
                               peintre.transform().isIdentity() &&
                               zone == QRectF(0, 0, image->width(), image->height()) &&
                               image->width() == vue.largeur;
    if (bitmap_entier) {
        QImage& bitmap = *image;
        const int largeur = bitmap.width(), hauteur = bitmap.height();
        // Over the whole height the marks are written with the background
        // and the signal, in the same pass; under the detector, after it.
        const bool colonnes_dans_le_fond = !vue.detecteur_visible && vue.hauteur >= hauteur - 1;
        remplir_fond(bitmap, trace.enveloppe, colonnes_dans_le_fond ? t.couleur_colonne.data() : nullptr,
                     t.haut_colonne, t.bas_colonne);
        if (vue.detecteur_visible) dessiner_detecteur(peintre, vue, trace, t.polyligne);
        if (!colonnes_dans_le_fond)
            for (int x = 0; x < largeur; ++x)
                if (const QRgb couleur = t.couleur_colonne[static_cast<std::size_t>(x)]; couleur != 0)
                    colonne_pixels(bitmap, x, 0, vue.hauteur, couleur);
        if (c_sel >= 0) {
            auto* pixels = reinterpret_cast<QRgb*>(bitmap.bits());
            const qsizetype ligne = bitmap.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
            for (const QPoint& p : pixels_fleche())
                if (p.x() + c_sel >= 0 && p.x() + c_sel < largeur && p.y() < hauteur)
                    pixels[p.y() * ligne + p.x() + c_sel] = couleur_selection.rgb();
        }
        return;
    }
    // Anywhere else: one unit per column and per row of the trace.
    peintre.save();
    peintre.translate(zone.topLeft());
    peintre.scale(zone.width() / std::max(vue.largeur, 1), zone.height() / std::max(vue.hauteur, 1));
    peintre.setRenderHint(QPainter::Antialiasing, false);
    peintre.fillRect(QRectF(0, 0, vue.largeur, vue.hauteur), Qt::white);
    peintre.setClipRect(QRectF(0, 0, vue.largeur, vue.hauteur));
    const auto colonnes = [&] {
        for (int x = 0; x < vue.largeur; ++x)
            if (const QRgb couleur = t.couleur_colonne[static_cast<std::size_t>(x)]; couleur != 0)
                peintre.fillRect(QRectF(x, 0, 1, vue.hauteur), QColor(couleur));
    };
    if (marques_derriere) colonnes();
    for (const auto& c : trace.enveloppe)
        if (c.x >= 0 && c.x < vue.largeur) peintre.fillRect(QRectF(c.x, c.haut, 1, c.bas - c.haut + 1), Qt::black);
    if (vue.detecteur_visible) dessiner_detecteur(peintre, vue, trace, t.polyligne);
    if (!marques_derriere) colonnes();
    if (c_sel >= 0) {
        peintre.setPen(Qt::NoPen);
        peintre.setBrush(couleur_selection);
        peintre.translate(c_sel, 0);
        peintre.drawPolygon(fleche.data(), 3);
    }
    peintre.restore();
}

void dessiner_figure(QPainter& peintre, const QRectF& courbe, const vue_courbe& vue, const trace_courbe& trace,
                     const etat_conversion& conversion, const options_figure& o, tampons_dessin& tampons) {
    dessiner_courbe(peintre, courbe, vue, trace, tampons, true);
    peintre.save();
    // Device units per point: the same page at any resolution.
    const double unite = peintre.device() ? peintre.device()->logicalDpiX() / 72.0 : 1.0;
    QFont police = peintre.font();
    police.setPointSizeF(o.taille_texte);
    peintre.setFont(police);
    const QFontMetricsF mesure(police, peintre.device());
    const double ligne = mesure.height();
    peintre.setPen(QPen(Qt::black, 0));
    peintre.setBrush(Qt::NoBrush);
    peintre.drawRect(courbe.adjusted(-0.5, -0.5, 0.5, 0.5));
    const double trait = 3 * unite;

    // Time ruler: labels at least 80 points apart.
    vue_courbe regle = vue;
    regle.largeur = std::max(1, static_cast<int>(courbe.width() / unite));
    regle.echelle_x = regle.nb_visibles > 0 ? static_cast<double>(regle.largeur) / regle.nb_visibles : 0;
    for (const auto& g : graduations(regle, conversion.frequence_echantillonnage, conversion.facteur_division,
                                     o.separateur)) {
        const double x = courbe.left() + g.x * unite;
        peintre.drawLine(QPointF(x, courbe.bottom()), QPointF(x, courbe.bottom() + (g.majeure ? trait : trait / 2)));
        if (g.texte.empty()) continue;
        const QString texte = qt(g.texte);
        const double l = mesure.horizontalAdvance(texte);
        peintre.drawText(QPointF(std::clamp(x - l / 2, courbe.left() - l / 2, courbe.right() - l),
                                 courbe.bottom() + trait + mesure.ascent()),
                         texte);
    }
    // Vertical scale in sample units, labels at least 2.5 lines apart.
    const double par_rangee = courbe.height() / std::max(vue.hauteur, 1);
    double plus_large = 0;
    for (const auto& g : graduations_amplitude(vue, 2.5 * ligne / par_rangee, o.separateur)) {
        const double y = courbe.top() + g.x * par_rangee;
        peintre.drawLine(QPointF(courbe.left() - trait, y), QPointF(courbe.left(), y));
        const QString texte = qt(g.texte);
        plus_large = std::max(plus_large, mesure.horizontalAdvance(texte));
        peintre.drawText(QPointF(courbe.left() - trait - 1 * unite - mesure.horizontalAdvance(texte),
                                 y + mesure.ascent() / 2 - mesure.descent() / 2),
                         texte);
    }
    if (!o.axe_temps.isEmpty())
        peintre.drawText(QPointF(courbe.right() - mesure.horizontalAdvance(o.axe_temps),
                                 courbe.bottom() + trait + mesure.ascent() + ligne),
                         o.axe_temps);
    if (!o.axe_amplitude.isEmpty()) {  // along the scale, left of its labels
        peintre.save();
        peintre.translate(courbe.left() - trait - 2 * unite - plus_large - mesure.descent(), courbe.center().y());
        peintre.rotate(-90);
        peintre.drawText(QPointF(-mesure.horizontalAdvance(o.axe_amplitude) / 2, 0), o.axe_amplitude);
        peintre.restore();
    }
    // The marks' numbers above the curve: each on the lowest row where it
    // stands over its mark, else on the row with the most room, pushed right
    // (still in order: a line to its mark would cross the rows below).
    std::array<double, rangees_numeros> fin_rangee;
    fin_rangee.fill(-1e300);
    const double ecart = 1.5 * unite;
    for (std::size_t k = 0; k < o.numeros.size(); ++k) {
        const double x = o.numeros[k];
        if (!(x > vue.premier_visible && x <= vue.dernier_visible)) continue;
        const double c = courbe.left() + (colonne_de(vue, x) + 0.5) * courbe.width() / std::max(vue.largeur, 1);
        const QString texte = QString::number(k + 1);
        const double l = mesure.horizontalAdvance(texte);
        std::size_t r = 0;
        while (r < fin_rangee.size() && fin_rangee[r] > c - l / 2) ++r;
        if (r == fin_rangee.size()) r = static_cast<std::size_t>(std::min_element(fin_rangee.begin(), fin_rangee.end()) - fin_rangee.begin());
        const double gauche = std::max(c - l / 2, fin_rangee[r]);
        fin_rangee[r] = gauche + l + ecart;
        const double base = courbe.top() - (0.15 + static_cast<double>(r)) * ligne - mesure.descent();
        peintre.setPen(QColor(200, 0, 0));
        peintre.drawText(QPointF(gauche, base), texte);
    }
    if (!o.titre.isEmpty()) {
        QFont gras = police;
        gras.setBold(true);
        peintre.setFont(gras);
        peintre.setPen(Qt::black);
        const double haut = o.numeros.empty() ? courbe.top() - 0.4 * ligne
                                              : courbe.top() - (0.3 + rangees_numeros) * ligne;
        peintre.drawText(QPointF(courbe.left(), haut - mesure.descent()), o.titre);
    }
    peintre.restore();
}

QImage image_vue(const vue_courbe& vue, const trace_courbe& trace, const etat_conversion& conversion,
                 const options_figure& options) {
    constexpr int bas = 32, droite = 12;
    QImage image(marge_image_gauche + vue.largeur + droite, marge_image_haut + vue.hauteur + bas,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter peintre(&image);
    tampons_dessin tampons;
    dessiner_figure(peintre, QRectF(marge_image_gauche, marge_image_haut, vue.largeur, vue.hauteur), vue, trace,
                    conversion, options, tampons);
    return image;
}

}  // namespace quorva
