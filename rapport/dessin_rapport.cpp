#include "rapport/dessin_rapport.h"

#include <QBuffer>
#include <QFileDialog>
#include <QMessageBox>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainterPath>
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
#include "conversion/rapport_convert.h"
#include "rapport/formats_rapport.h"

namespace quorva {

namespace {

// A block of the page (points) in the painter's units.
QRectF en_unites(const bloc_page& b, double k) { return QRectF(b.x * k, b.y * k, b.largeur * k, b.hauteur * k); }

void police(QPainter& peintre, double taille, bool gras = false) { police_page(peintre, taille, gras); }

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
        texte(peintre, zone.left() + colonnes[i], zone.top() + base, qt(c.colonnes[static_cast<std::size_t>(i)]));
    peintre.setPen(QPen(Qt::black, 0));
    peintre.drawLine(QPointF(zone.left(), zone.top() + rangee), QPointF(zone.right(), zone.top() + rangee));
    police(peintre, taille_texte);
    double y = zone.top() + rangee;
    if (c.evenements.empty()) texte(peintre, zone.left(), y + base, qt(c.sans_evenement));
    for (int i = 0; i < p.rangees_montrees && i < static_cast<int>(c.evenements.size()); ++i, y += rangee) {
        const auto& e = c.evenements[static_cast<std::size_t>(i)];
        texte(peintre, zone.left() + colonnes[0], y + base, QString::number(e.numero));
        texte(peintre, zone.left() + colonnes[1], y + base, qt(e.debut));
        texte(peintre, zone.left() + colonnes[2], y + base, qt(e.energie));
        texte(peintre, zone.left() + colonnes[3], y + base, qt(e.intervalle));
    }
    if (p.rangees_omises > 0) {
        police(peintre, taille_petite);
        texte(peintre, zone.left(), y + base,
              qt(texte_omises(p.rangees_omises, static_cast<int>(c.evenements.size()), c.langue)));
    }
}

void dessiner_relation(QPainter& peintre, const relation& r, const bloc_page& bloc, double k, char separateur) {
    const QRectF zone = en_unites(bloc, k);
    police(peintre, taille_texte, true);
    const QFontMetricsF mesure(peintre.font(), peintre.device());
    const double ligne = mesure.height();
    peintre.setPen(Qt::black);
    texte(peintre, zone.left(), zone.top() + mesure.ascent(), qt(r.titre));
    police(peintre, taille_texte);
    if (!r.vide.empty()) {
        texte(peintre, zone.left(), zone.top() + mesure.ascent() + 1.5 * ligne, qt(r.vide));
        return;
    }
    texte(peintre, zone.left(), zone.top() + mesure.ascent() + 1.2 * ligne, qt(r.texte_coefficient));
    police(peintre, taille_petite);
    if (!r.texte_droite.empty()) texte(peintre, zone.left(), zone.top() + mesure.ascent() + 2.2 * ligne, qt(r.texte_droite));
    if (!r.remarque.empty()) {
        const QRectF cadre_remarque(zone.left(), zone.top() + 3.3 * ligne, zone.width(), 2 * ligne);
        peintre.drawText(cadre_remarque, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, qt(r.remarque));
    }
    const double haut = (r.remarque.empty() ? 3.6 : 5.6) * ligne;
    const QRectF cadre(zone.left() + 40 * k, zone.top() + haut, zone.width() - 44 * k, zone.height() - haut - 2.6 * ligne);
    serie_nuage serie;
    serie.points = r.points;
    serie.avec_droite = r.avec_coefficient;
    serie.pente = r.pente;
    serie.ordonnee = r.ordonnee;
    dessiner_nuage(peintre, cadre, {serie}, qt(r.axe_x), qt(r.axe_y), separateur);
}

// The page's bytes, drawn whole: a page that could not be drawn (no memory
// for its image, a painter that would not start or finish, an encoder that
// failed) raises erreur_quorva with the cause, and nothing is written.
}  // namespace

void dessiner_nuage(QPainter& peintre, const QRectF& cadre, const std::vector<serie_nuage>& series,
                    const QString& axe_x, const QString& axe_y, char separateur) {
    const double k = peintre.device() ? peintre.device()->logicalDpiX() / 72.0 : 1.0;
    peintre.save();
    peintre.setPen(QPen(Qt::black, 0));
    peintre.setBrush(Qt::NoBrush);
    peintre.drawRect(cadre);
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    bool premier = true;
    for (const auto& s : series)
        for (const auto& p : s.points) {
            x0 = premier ? p.x : std::min(x0, p.x);
            x1 = premier ? p.x : std::max(x1, p.x);
            y0 = premier ? p.y : std::min(y0, p.y);
            y1 = premier ? p.y : std::max(y1, p.y);
            premier = false;
        }
    police(peintre, taille_petite);
    const QFontMetricsF petite(peintre.font(), peintre.device());
    // Ticks about 45 points apart across, 25 points up.
    const echelle_ronde ex = echelle_pour(x0, x1, std::max(1, static_cast<int>(cadre.width() / (45 * k))));
    const echelle_ronde ey = echelle_pour(y0, y1, std::max(1, static_cast<int>(cadre.height() / (25 * k))));
    const auto px = [&](double x) { return cadre.left() + (x - ex.debut) / (ex.fin - ex.debut) * cadre.width(); };
    const auto py = [&](double y) { return cadre.bottom() - (y - ey.debut) / (ey.fin - ey.debut) * cadre.height(); };
    const double trait = 2.5 * k;
    for (const double v : ex.valeurs) {
        const double x = px(v);
        peintre.drawLine(QPointF(x, cadre.bottom()), QPointF(x, cadre.bottom() + trait));
        const QString t = qt(texte_graduation(v, ex.pas, separateur));
        texte(peintre, x - petite.horizontalAdvance(t) / 2, cadre.bottom() + trait + petite.ascent(), t);
    }
    double plus_large = 0;
    for (const double v : ey.valeurs) {
        const double y = py(v);
        peintre.drawLine(QPointF(cadre.left() - trait, y), QPointF(cadre.left(), y));
        const QString t = qt(texte_graduation(v, ey.pas, separateur));
        plus_large = std::max(plus_large, petite.horizontalAdvance(t));
        texte(peintre, cadre.left() - trait - 1 * k - petite.horizontalAdvance(t),
              y + petite.ascent() / 2 - petite.descent() / 2, t);
    }
    texte(peintre, cadre.center().x() - petite.horizontalAdvance(axe_x) / 2,
          cadre.bottom() + trait + petite.ascent() + petite.height(), axe_x);
    peintre.save();
    peintre.translate(cadre.left() - trait - 2 * k - plus_large - petite.descent(), cadre.center().y());
    peintre.rotate(-90);
    texte(peintre, -petite.horizontalAdvance(axe_y) / 2, 0, axe_y);
    peintre.restore();

    peintre.setClipRect(cadre);
    for (const auto& s : series) {
        if (!s.avec_droite) continue;
        peintre.setPen(QPen(s.couleur == QColor(200, 0, 0) ? QColor(0, 90, 200) : s.couleur, 0.8 * k));
        peintre.drawLine(QPointF(px(ex.debut), py(s.pente * ex.debut + s.ordonnee)),
                         QPointF(px(ex.fin), py(s.pente * ex.fin + s.ordonnee)));
    }
    peintre.setRenderHint(QPainter::Antialiasing, true);
    for (const auto& s : series)
        for (const auto& p : s.points) dessiner_marqueur(peintre, QPointF(px(p.x), py(p.y)), s.couleur, s.forme, 1.6 * k);
    peintre.restore();
}

void dessiner_marqueur(QPainter& peintre, QPointF c, const QColor& couleur, int forme, double r) {
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(couleur);
    if (forme == 1) {
        peintre.drawRect(QRectF(c.x() - 0.9 * r, c.y() - 0.9 * r, 1.8 * r, 1.8 * r));
    } else if (forme == 2) {
        QPainterPath triangle;
        triangle.moveTo(c.x(), c.y() - 1.2 * r);
        triangle.lineTo(c.x() + 1.1 * r, c.y() + 0.8 * r);
        triangle.lineTo(c.x() - 1.1 * r, c.y() + 0.8 * r);
        triangle.closeSubpath();
        peintre.drawPath(triangle);
    } else if (forme == 3) {
        peintre.setPen(QPen(couleur, 0.6 * r));
        peintre.drawLine(QPointF(c.x() - r, c.y() - r), QPointF(c.x() + r, c.y() + r));
        peintre.drawLine(QPointF(c.x() - r, c.y() + r), QPointF(c.x() + r, c.y() - r));
    } else {
        peintre.drawEllipse(c, r, r);
    }
}

void police_page(QPainter& peintre, double taille, bool gras) {
    QFont f = peintre.font();
    f.setFamily("DejaVu Sans");
    f.setPointSizeF(taille);
    f.setBold(gras);
    // No ligatures: the PDF's text reads back letter for letter ("fi", not
    // one glyph).
    f.setStyleStrategy(QFont::PreferNoShaping);
    peintre.setFont(f);
}

std::vector<std::string> octets_pages(int nb_pages, bool png, const std::string& titre, const std::string& chemin,
                                      int langue, const std::function<void(QPainter&, int)>& dessiner) {
    const auto echec = [&](echec_dessin cause) { throw erreur_quorva(texte_echec_dessin(chemin, cause, langue)); };
    std::vector<std::string> pages;
    QByteArray octets;
    const auto garder = [&] {
        if (octets.isEmpty()) echec(echec_dessin::encodage);
        pages.emplace_back(octets.constData(), static_cast<std::size_t>(octets.size()));
        octets.clear();
    };
    if (png) {
        const QSize a4 = QPageSize(QPageSize::A4).sizePixels(points_par_pouce_rapport).transposed();
        for (int numero = 0; numero < nb_pages; ++numero) {
            QImage page(a4, QImage::Format_RGB32);
            if (page.isNull()) echec(echec_dessin::memoire);
            const int par_metre = static_cast<int>(std::lround(points_par_pouce_rapport / 0.0254));
            page.setDotsPerMeterX(par_metre);
            page.setDotsPerMeterY(par_metre);
            page.fill(Qt::white);
            QPainter peintre;
            if (!peintre.begin(&page)) echec(echec_dessin::dessin);
            dessiner(peintre, numero);
            if (!peintre.end()) echec(echec_dessin::dessin);
            QBuffer tampon(&octets);
            tampon.open(QIODevice::WriteOnly);
            // Fast compression: a page is mostly white, the file stays small.
            if (!page.save(&tampon, "PNG", 80)) echec(echec_dessin::encodage);
            tampon.close();
            garder();
        }
    } else {
        {
            QBuffer tampon(&octets);
            tampon.open(QIODevice::WriteOnly);
            QPdfWriter pdf(&tampon);
            pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
            pdf.setResolution(points_par_pouce_rapport);
            pdf.setCreator("Quorva");
            pdf.setTitle(qt(titre));
            QPainter peintre;
            if (!peintre.begin(&pdf)) echec(echec_dessin::dessin);
            for (int numero = 0; numero < nb_pages; ++numero) {
                if (numero > 0 && !pdf.newPage()) echec(echec_dessin::dessin);
                dessiner(peintre, numero);
            }
            if (!peintre.end()) echec(echec_dessin::dessin);
        }
        garder();
    }
    return pages;
}

void ecrire_page(services& ctx, const std::string& chemin, const std::string& octets, int langue) {
    try {
        auto sortie = ctx.os.create_file(chemin);
        sortie->write(octets);
        sortie->commit();
    } catch (const WriteError& e) {
        // As for the workbook: the cause the system gave, the old file whole.
        const std::string raison = raison_rapport(chemin, e.cause(), langue);
        if (raison.empty()) throw;
        throw erreur_quorva(langue == 2 ? std::string(e.what()) + "\r" + raison : raison);
    }
}

void dessiner_rapport(QPainter& peintre, const contenu_rapport& c, const etat_conversion& etat, char separateur) {
    const page_rapport p = mise_en_page(static_cast<int>(c.evenements.size()));
    const double k = peintre.device()->logicalDpiX() / 72.0;
    peintre.setPen(Qt::black);
    police(peintre, taille_titre, true);
    const QRectF titre = en_unites(p.titre, k);
    texte(peintre, titre.left(), titre.bottom() - QFontMetricsF(peintre.font(), peintre.device()).descent(),
          qt(c.titre_tp));

    // The lines to fill in by hand, on the right.
    police(peintre, taille_texte);
    {
        const QRectF zone = en_unites(p.a_remplir, k);
        const double pas = zone.height() / std::max<std::size_t>(c.a_remplir.size(), 1);
        double y = zone.top();
        for (const auto& l : c.a_remplir) {
            y += pas;
            const QString t = qt(l);
            texte(peintre, zone.left(), y - 2 * k, t);
            peintre.setPen(QPen(Qt::black, 0));
            peintre.drawLine(QPointF(zone.left() + QFontMetricsF(peintre.font(), peintre.device()).horizontalAdvance(t) + 3 * k, y - 2 * k),
                             QPointF(zone.right(), y - 2 * k));
        }
    }

    // The recording's name (shortened in its middle when too long for its
    // line), then what the page is made of.
    {
        const QRectF zone = en_unites(p.entete, k);
        police(peintre, taille_texte + 1.5, true);
        QFontMetricsF mesure(peintre.font(), peintre.device());
        const QString suffixe = qt(c.suffixe_titre);
        const QString nom = mesure.elidedText(qt(c.nom), Qt::ElideMiddle,
                                              zone.width() - mesure.horizontalAdvance(suffixe));
        double y = zone.top() + mesure.ascent();
        texte(peintre, zone.left(), y, nom + suffixe);
        y += mesure.descent();
        police(peintre, taille_texte);
        mesure = QFontMetricsF(peintre.font(), peintre.device());
        for (const std::string* l : {&c.entete, &c.faite_le}) {
            y += mesure.height();
            texte(peintre, zone.left(), y, mesure.elidedText(qt(*l), Qt::ElideRight, zone.width()));
        }
        if (!c.texte_origine.empty()) {
            police(peintre, taille_texte, true);
            y += mesure.height();
            peintre.setPen(QColor(200, 0, 0));
            texte(peintre, zone.left(), y, qt(c.texte_origine));
            peintre.setPen(Qt::black);
        }
    }
    if (!c.limites.empty()) {
        const QRectF zone = en_unites(p.limites, k);
        police(peintre, taille_petite + 0.5, true);
        peintre.setPen(QColor(200, 0, 0));
        peintre.drawText(zone, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, qt(c.limites));
        peintre.setPen(Qt::black);
    }

    // The whole recording, one trace column per device pixel of the curve's
    // width: the chart's own drawing at full view.
    const QRectF courbe = en_unites(p.courbe, k);
    vue_courbe vue;
    vue.largeur = std::max(1, static_cast<int>(std::lround(courbe.width())));
    vue.hauteur = std::max(1, static_cast<int>(std::lround(courbe.height())));
    ouvrir_vue(vue, etat);
    trace_courbe trace;
    calculer_trace(vue, etat, trace);
    police(peintre, taille_petite);
    options_figure o;
    o.numeros = c.positions;
    o.axe_temps = qt(c.axe_temps);
    o.axe_amplitude = qt(c.axe_amplitude);
    o.taille_texte = taille_petite;
    o.separateur = separateur;
    tampons_dessin tampons;
    dessiner_figure(peintre, courbe, vue, trace, etat, o, tampons);

    dessiner_tableau(peintre, c, p, k);
    dessiner_relation(peintre, c.intervalles, p.relation_intervalles, k, separateur);
    dessiner_relation(peintre, c.debuts, p.relation_debuts, k, separateur);

    police(peintre, taille_petite);
    peintre.setPen(Qt::black);
    const QRectF note = en_unites(p.note, k);
    peintre.drawText(note, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, qt(c.note_energie));
}

void ecrire_rapport(services& ctx, const etat_conversion& etat, const tables_evenements& tables,
                    origine_pointes origine, const std::string& chemin_wav, const std::string& chemin_rapport,
                    int langue) {
    const contenu_rapport c = preparer_rapport(etat, tables, origine, nom_de(chemin_wav), date_maintenant(), langue,
                                               ctx.separateur_decimal);
    const auto pages = octets_pages(1, est_rapport_png(chemin_rapport), c.nom, chemin_rapport, c.langue,
                                    [&](QPainter& peintre, int) { dessiner_rapport(peintre, c, etat, ctx.separateur_decimal); });
    ecrire_page(ctx, chemin_rapport, pages.front(), langue);
}

void enregistrer_rapport(services& ctx, const etat_conversion& etat, int langue, QWidget& parent,
                         const std::function<std::string(const std::string&)>& choisir) {
    const std::string& chemin_wav = etat.chemin_enregistrement;
    const std::string propose = chemin_rapport_propose(chemin_wav);
    std::string chemin;
    if (choisir) {
        chemin = choisir(propose);
    } else {
        const QString titre = qt(langue == 2 ? "Enregistrer le compte rendu" : "Save the report");
        QFileDialog dialogue(&parent, titre, qt(ctx.os.dialog_path(propose)), "PDF (*.pdf);;PNG (*.png)");
        dialogue.setObjectName("SaveDialog_rapport");
        dialogue.setAcceptMode(QFileDialog::AcceptSave);
        // The question of a file to replace comes once its name is the one
        // written (the suffix added), below.
        dialogue.setOption(QFileDialog::DontConfirmOverwrite, true);
        dialogue.setDefaultSuffix("pdf");
        QObject::connect(&dialogue, &QFileDialog::filterSelected, &dialogue, [&dialogue](const QString& filtre) {
            dialogue.setDefaultSuffix(filtre.startsWith("PNG") ? "png" : "pdf");
        });
        if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) return;
        // Qt writes "/" on every system: the path as the user's system writes it.
        chemin = chemin_rapport_choisi(ctx.os.path_from_dialog(utf8(dialogue.selectedFiles().first())));
        if (ctx.os.file_exists(chemin)) {
            QMessageBox question(QMessageBox::Question, titre, qt(message(texte_remplacer_rapport(langue), chemin)),
                                 QMessageBox::Yes | QMessageBox::No, &parent);
            question.setObjectName("Question_remplacer_rapport");
            question.setDefaultButton(QMessageBox::No);
            if (question.exec() != QMessageBox::Yes) return;
        }
    }
    if (chemin.empty()) return;
    ecrire_rapport(ctx, etat, tables_reconstruites(etat), origine_pointes::avant_ok, chemin_wav,
                   chemin_rapport_choisi(chemin), langue);
}

}  // namespace quorva
