#pragma once
// The fixed module numbers, named after their tables (the registry's table holds the rest).

namespace vidoraw::module {

inline constexpr int kSystem = 1; // TfSystemd, SYSTEM.DB
inline constexpr int kNastav = 2; // TfNastavd, Nastav.DB
inline constexpr int kFilter = 3; // TfFilterd, FILT.DB
inline constexpr int kPohlad = 4; // TfPohladd, POHLAD.DB
inline constexpr int kPsc = 5; // TfPscd, PSC.DB
inline constexpr int kObce = 6; // TfObecd, OBCE.DB
inline constexpr int kOkres = 7; // TfOkresd, OKRES.DB
inline constexpr int kTitul = 8; // TfTituld, TITUL.DB
inline constexpr int kDg = 9; // TfDgd, DG.DB
inline constexpr int kZmluva = 10; // TfZmluvad, ZMLUVA.db
inline constexpr int kPoist = 11; // TfPoistovd, POIST.DB
inline constexpr int kStat = 12; // TfStatd, STAT.DB
inline constexpr int kOptpom = 13; // TfOptpomd, OPTPOM.DB
inline constexpr int kLekar = 14; // TfLekard, LEKAR.DB
inline constexpr int kFaktura = 15; // TfFakturad, FAKTURA.DB
inline constexpr int kDavka = 16; // TfDavkad, DAVKA.DB
inline constexpr int kPoukaz = 17; // TfPoukazd, POUKAZ.DB
inline constexpr int kCispou = 18; // TfCispoud, CISPOU.DB
inline constexpr int kUziv = 19; // TfUzivd, uziv.db
inline constexpr int kOsoba = 20; // TfOsobad, OSOBA.DB
inline constexpr int kFirma = 21; // TfFirmad, FIRMA.DB
inline constexpr int kOsobaf = 22; // TfOsobafd, osobaf.DB
inline constexpr int kKomento = 23; // TfKomentod, komento.db
inline constexpr int kVlastn = 24; // TfVlastnikd, VLASTN.DB
inline constexpr int kPosuny = 25; // TfPosunzd, POSUNY.DB
inline constexpr int kKomentf = 26; // TfKomentfd, komentf.db
inline constexpr int kHm = 27; // TfHmd, hm.db
inline constexpr int kKodb = 28; // TfKodbd, kodb.DB
inline constexpr int kUcty = 29; // TfUcetd, UCTY.DB
inline constexpr int kDane = 30; // TfDaned, DANE.DB
inline constexpr int kTextfa = 31; // TfTextfad, TEXTFA.DB
inline constexpr int kDoprava = 32; // TfDopravad, DOPRAVA.DB
inline constexpr int kUhrada = 33; // TfUhradad, UHRADA.DB
inline constexpr int kMena = 34; // TfMenad, MENA.DB
inline constexpr int kFak = 35; // TfFakd, FAK.DB
inline constexpr int kPol = 36; // TfPold, POL.DB
inline constexpr int kCisrad = 37; // TfCisradd, CISRAD.DB
inline constexpr int kKs = 38; // TfKsd, Ks.db
inline constexpr int kPzs = 39; // TfPzsd, pzs.db
inline constexpr int kUprava = 40; // TfUpravad, UPRAVA.DB
inline constexpr int kPriemer = 41; // TfPriemerd, PRIEMER.DB
inline constexpr int kDiop = 42; // TfDiopd, DIOP.DB
inline constexpr int kSortim = 43; // TfSortimd, SORTIM.DB
inline constexpr int kFirmao = 44; // TfFirmaod, FIRMAO.DB
inline constexpr int kKlient = 45; // TfKlientd, KLIENT.DB
inline constexpr int kObp = 46; // TfObpd, OBP.DB
inline constexpr int kPoukazv = 47; // TfPoukazvd, POUKAZ.DB
inline constexpr int kFilter1 = 48; // TfFilter1d, FILT.DB
inline constexpr int kHesla = 49; // TfHeslod, HESLA.DB
inline constexpr int kPrihesf = 50; // TfPrihesfd, PRIHESF.DB
inline constexpr int kZaokruh = 51; // TfZaokruhd, ZAOKRUH.DB
inline constexpr int kTypskl = 52; // TfTypskld, typskl.db
inline constexpr int kTypram = 53; // TfTypramd, typram.db
inline constexpr int kVekra = 54; // TfVekrad, vekra.DB
inline constexpr int kKoment = 55; // TfKomentd, koment.db
inline constexpr int kTypks = 56; // TfTypksd, typks.db

} // namespace vidoraw::module
