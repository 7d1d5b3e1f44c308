// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/help/help_texts.h"
#include "frontend/controls/control_names.h"

#include <QCoreApplication>

// The program's own documentation, in Swedish, broken into lines that fit the text boxes of the
// dialogs.

namespace varmkalk {

namespace {

constexpr const char* inmatningsord_text = R"(I det här formuläret matar du in alla
uppgifter om pannan, varmvatten-
beredaren, värmesystemet,
byggnaden och klimatet. Först när
alla uppgifter är ifyllda kan du gå
tillbaka till huvudmenyn och starta
beräkningen.

För varje slag av indata finns en
hjälpruta. Bara en hjälpruta kan vara
öppen åt gången, så stäng varje ruta
när du har läst den.

När du klickar i rutorna för brännare,
varmvattenberedare och värme-
förluster öppnas de fält som den
valda utrustningen behöver.

Varmvattenbehovet antas alltid bli
täckt. Beräkningen säger därför
ingenting om huruvida varmvatten-
beredningen uppfyller krav eller
rekommendationer för komfort.

När inmatningen är klar går du vidare
till beräkningen av årsverknings-
graden genom att klicka på
"Indata färdigt". Därefter får du ange
en beräkningsidentitet på fyra
tecken, som filerna med
beräkningens indata och resultat får
sina namn efter.)";

constexpr const char* helpburn_text = R"(Programmet kan räkna med en enstegsbrännare eller en
modulerande brännare. När du markerar brännartypen
öppnas inmatningsfälten för den typen. Effekterna anges i
kW, luftöverskottet i % och en eventuell pilotflamma i W.

En modulerande brännare antas arbeta med samma luft-
överskott i hela sitt modulationsområde. Beräkningen
använder den brännareffekt inom brännarens effektområde
som svarar mot dygnets värmebehov.

Reglerstrategier, t.ex. att brännareffekten moduleras efter
skillnaden mellan framledningstemperaturen och dess
börvärde, kan inte simuleras direkt med modellen.)";

constexpr const char* form3_text = R"(Varmvattenberedaren beskrivs i
modellen som ett konstant effektbehov
för varmvattnet plus en värmeförlust
från beredaren till omgivningen.

Ett svenskt hushålls behov av varm-
vatten brukar sättas till 5000 kWh/år.

Elektriska varmvattenberedare på
300 liter förlorar 900-1300 kWh per år,
dvs. 2,47-3,56 kWh/dygn. Gaspannor
har mindre beredare och därmed
mindre förluster. Bland beredare med
små förluster finns en 80-liters
beredare med en förlust på 45 W
(1,08 kWh/dygn, 394 kWh/år).

Ett småhus med gaspanna har normalt
en beredare på 80-120 liter.

Ange varmvattenbehovet i kWh per år
och beredarens värmeförlust i
kWh per dygn.)";

constexpr const char* helpkonv_text = R"(Pannans förlust genom konvektion
och strålning till rummet räknas ut
som

Q_konv = C (T_panna - T_rum)^1,3

där T_panna är pannans medel-
temperatur och T_rum rums-
temperaturen.

Konstanten C anges antingen direkt,
eller så räknas den ut ur en känd
förlust Q_konv (W) vid en känd
temperaturskillnad mellan pannan
och rummet.

Q_konv anges ofta som en andel av
brännarens effekt, t.ex. 1 %. Nya
pannkonstruktioner har mindre
förluster än äldre.)";

constexpr const char* stillestand_text = R"(Stilleståndsförlusten uppstår när
brännaren inte är i drift: luft som
strömmar genom pannan kyler dess
rökgångar. Brännarens utformning
och pannans värmeväxlare avgör hur
stor förlusten blir. Programmet räknar
ut den som

Q_sb = C_1* (T_panna - T_rum)^(C_2)

där C_1 och C_2 är konstanter som är
unika för varje pannkonstruktion.

Som indata anges antingen
konstanterna eller förlusteffekten (W)
vid två olika temperaturskillnader
mellan pannan och dess omgivning.)";

constexpr const char* form1_text = R"(Avgastemperaturen antas vara en
funktion av pannans temperatur
och varierar med den.

Den anges för två fall med olika
fram- och returtemperatur, ett
med hög och ett med låg
temperatur. En panna som hålls
vid konstant hög temperatur får
samma värden i båda fallen.

Dygnets avgastemperatur räknas
ut ur de driftdata som värme-
systemets temperaturer och den
valda gränsen för retur-
temperaturen till pannan ger.
Indata används för en linjär
interpolation.)";

constexpr const char* helpheat_text = R"(Värmesystemet påverkar en
modern gaspannas verkningsgrad,
eftersom pannans temperatur mer
eller mindre följer värmesystemets.

Kondenserande pannor följer det
helt. Andra pannor tillåter en lägsta
returtemperatur på t.ex. 35 °C för
att undvika kondensation, och åter
andra håller en konstant hög
temperatur, t.ex. 65 °C.

Värmesystemets dimensionering
och dess temperaturer vid olika
värmebehov påverkar därför
konvektions- och stillestånds-
förlusterna under året.

Programmet erbjuder två värme-
system, angivna med fram- och
returtemperatur vid
dimensionerande värmeeffekt:
80/60 °C och 55/45 °C. Dessutom
väljer du den lägsta retur-
temperatur som pannan tillåter:
65 °C, 35 °C eller 20 °C (inomhus-
temperaturen).

Observera de förvalda valen:
55/45 °C och 35 °C.)";

constexpr const char* about_body = R"(VARMKALK version 1.1

VARMKALK är fri programvara: du får sprida
och ändra den enligt villkoren i GNU General
Public License, version 3 eller (om du vill)
någon senare version, utgiven av Free
Software Foundation.

Programmet sprids i hopp om att det ska vara
till nytta, men UTAN NÅGON GARANTI, inte ens
underförstådd garanti om SÄLJBARHET eller
LÄMPLIGHET FÖR ETT VISST ÄNDAMÅL. Hela
licensen finns i filen LICENSE som följer
med programmet (i ett installerat program
under share/doc/varmkalk).

Klimatdata: dygnsmedeltemperaturer för
kalenderåret 2009 från SMHI:s öppna data
(Creative Commons Erkännande 4.0) för
stationerna Malmö A, Jönköpings flygplats,
Stockholm, Falun-Lugnet, Östersund-Frösön
och Kiruna flygplats, via European Climate
Assessment & Dataset (ECA&D):
Klein Tank, A.M.G. och medförfattare, 2002.
Daily dataset of 20th-century surface air
temperature and precipitation series for the
European Climate Assessment. Int. J. of
Climatol., 22, 1441–1453.)";

constexpr const char* proginfo_body = R"(VARMKALK beräknar årsverkningsgraden för
pannor och är avsett för villapannor som eldas
med gasformigt bränsle. Som bränsle antas
naturgas från Danmark.

Verkningsgradsmodellen jämför två stationära
värmebalanser för pannan, en med brännaren i
drift och en med brännaren avstängd. De vägs
samman med brännarens relativa gångtid, så att
det pannan avger varje dygn täcker det värme-
behov som räknas fram ur uppgifterna om
byggnaden och klimatet. Hänsyn tas till rökgas-,
konvektions- och stilleståndsförluster, en
eventuell pilotflamma, varmvattenberedarens
förlust och varmvattenbehovet. Året räknas
igenom dygn för dygn med klimatdata för en av
sex svenska orter. Värmebehov finns de dygn då
utetemperaturen är lägre än 15 °C.

Resultaten visas i en ruta i programmet och
skrivs till tre resultatfiler, vars namn bildas av
den beräkningsidentitet (xxxx) som du anger:
- xxxxsum.dat innehåller sammanställningen av
beräkningen, densamma som visas i
programmet: årsverkningsgraderna, årets
energimängder och förluster samt indata.
- xxxx.dat innehåller dygnsvärden där
cirkulationspumpens värme räknas som gratis
energi.
- xxxxsum_c.dat innehåller dygnsvärden där
pumpens värme inte räknas med.

Två årsverkningsgrader beräknas, med och utan
cirkulationspumpen. Det högre värdet räknar
pumpens energi som gratis energi. Det lägre
värdet är det bästa måttet på hur väl pannan för
över värmen till vattnet. Båda redovisas överst i
sammanställningen.

Dygnsfilerna har en rad för varje dygn då
pannan används. Raden innehåller i tur och
ordning: dygnets nummer, utetemperatur (°C),
framledningstemperatur (°C),
returtemperatur (°C), värmebehov (W),
brännarens relativa gångtid (andel av dygnet),
dygnets verkningsgrad (%),
konvektionsförlust (W), stilleståndsförlust under
den tid brännaren står still (W), rökgasförlust
under brännarens gångtid (W),
avgastemperatur (°C) och
förbränningsverkningsgrad (som bråkdel,
inte %). Förlusterna anges som medeleffekter
över dygnet. Filerna kan läsas in i ett kalkyl-
program för egna analyser.

Modellen och flera andra pannmodeller beskrivs
i tre rapporter från ett svenskt forskningsprojekt
om gaspannor. Rapporterna finns tillgängliga via
projektets dokumentation.

En annan modell för beräkning av årsverknings-
grad togs fram inom ett europeiskt energispar-
program under 1990-talet. Hänvisning till den
finns i samma dokumentation.)";

constexpr const char* kostnad_text = R"(Här räknar programmet om årets resultat till det som
står på gasräkningen: gas i kWh och m³, kronor och kilo
koldioxid för hela året.

Övre och undre värmevärde
Modellen räknar bränslet på gasens undre värmevärde,
den värme gasen ger när vattenångan i rökgaserna inte
kondenserar. Därför kan en kondenserande panna få en
årsverkningsgrad över 100 %. Gasräkningen räknar kWh
på det övre värmevärdet, där också vattenångans
kondensationsvärme ingår.

Modellens naturgas är 91,1 % metan, 4,7 % etan, 1,7 %
propan, 1,4 % butan, 0,6 % kväve och 0,5 % koldioxid.
Dess undre värmevärde är 39,0 MJ per normal-
kubikmeter (0 °C, 1,01325 bar). En normalkubikmeter
gas ger 94 mol vattenånga när den brinner (en molekyl
CnH2n+2 ger n+1 molekyler vatten). När ångan
kondenserar vid 15 °C avger den 44,42 kJ per mol,
sammanlagt 4,16 MJ. Det övre värmevärdet blir då
43,2 MJ = 12,0 kWh per normalkubikmeter, och kvoten
mellan övre och undre värmevärde 1,107. Programmet
multiplicerar modellens bränsle med kvoten.

m³ är normalkubikmeter. Gasräkningen anger sin egen
omräkning från m³ till kWh; skriv in den i fältet
"Gasens energi per m³" om du vill räkna som räkningen.

Koldioxid
Kolet i en normalkubikmeter gas, och gasens egen
koldioxid, ger 2,19 kg koldioxid: 0,183 kg per kWh
övre värmevärde. Publicerade emissionsfaktorer på
omkring 0,20 kg/kWh gäller per kWh undre värmevärde.
Används de på gasräkningens kWh blir utsläppen 11 %
för höga.

Elens koldioxid är som standard 0,090 kg/kWh: nordisk
elmix med hänsyn till import och export, medelvärde för
tre år, enligt IVL Svenska Miljöinstitutet på uppdrag av
Naturvårdsverket (SMED Rapport Nr 4 2021). Den nordiska
residualmixen, den el som säljs utan ursprungsgaranti,
ger ett annat svar: omkring 0,3 kg/kWh eller mer,
beroende på år.

Priser allt inräknat
På en svensk gasräkning ingår nätavgift, energiskatt,
koldioxidskatt och moms. Gaspriset "allt inräknat" är
räkningens rörliga belopp, med skatter och moms,
delat med antalet kWh. Den fasta avgiften, kr per år,
anges för sig och kan vara 0. Elpriset gäller
cirkulationspumpen, också det allt inräknat. Pumpens el
är modellens: effekten gånger 24 timmar gånger antalet
dygn med värmebehov. Standardpriserna är ungefärliga
priser för en villa 2024; skriv in dina egna.

Dygn utan värmebehov
Modellen räknar bara de dygn då huset behöver värme,
men räkningen gäller årets alla dygn. Varje annat dygn
räknar programmet med modellens egen dygnsbalans som
ett dygn utan värmebehov: radiatorerna står kalla vid
20 °C, pumpen står still och brännaren håller
varmvattnet, beredarens förlust och pannans egna
förluster vid lägsta tillåtna returtemperatur. Raden
"Varmvatten och pannförluster, dygn utan värme" är den
gasen. Sommarens kallvatten är varmare och
varmvattenanvändningen kan vara en annan; raden är en
uppskattning.

Pilotlågan brinner när brännaren står still, årets alla
dygn, och dess gas ingår i årets gas. Ett dygn då
brännaren inte räcker till räknas som brännarens effekt
dygnet runt: mer än så kan den inte bränna. Årets gas
räknas bara på ett helt klimatår, 365 eller 366 dygn.

Värdena sparas med beräkningen i dess indatafil och
kommer tillbaka med "Hämta indata…". En ny beräkning
börjar med föregående beräknings värden.)";

constexpr const char* matare_text = R"(Här anpassar programmet huset till gasmätaren. Få
vet husets maximala uppvärmningsbehov, det värde i
formuläret som mest styr svaret, men de flesta vet
förra årets gasförbrukning från gasräkningen.

Programmet söker det maximala uppvärmningsbehov vid
vilket modellens år, med alla formulärets övriga
indata, förbrukar lika mycket gas som mätaren visar,
räknat som gasräkningen räknar: kWh på det övre
värmevärdet och dygnen utan värmebehov medräknade, som
i "Kostnad och klimat…". Årets gas växer jämnt med
uppvärmningsbehovet, så sökningen hittar det inom
1 kWh på några millisekunder.

Skriv förbrukningen i kWh, eller i m³ med räkningens
omräkningstal (kWh per m³).

Klimatåret
Gasen beror på hur kallt året var. Ett varmt år ger
lite gas för ett stort hus, ett kallt år mycket gas
för ett litet. De sex orternas klimatfiler är år 2009,
ett uppmätt år vars värmebehov ligger nära
medelvärdet för 1991–2020, inte det år mätaren avser.
Anpassningen till dem ger därför ett hus som passar
mätaren ungefär ett normalår.
Säkrast blir anpassningen med klimatet för just det
mätta året:
1. Hämta SMHI:s dygnsmedeltemperaturer för en
   station nära huset, för mätperioden.
2. Tryck "Importera…" här eller i formuläret och
   skapa en klimatfil för året.
3. Välj Egen klimatfil och filen, och kontrollera
   DUT, den dimensionerande utetemperaturen.
Mätperioden bör vara ett helt år; en räkning som
sträcker sig över två år passar sämre.

Ett annat klimat än formulärets
Huset förs över till formulärets klimat med sitt
värmeförlusttal H = Q / (inne − 5 − DUT), W/K, där Q
är det anpassade uppvärmningsbehovet och DUT
mätklimatets. "Använd" skriver H gånger
(inne − 5 − DUT) med formulärets DUT i fältet. Så blir
huset detsamma, men dess uppvärmningsbehov anges vid
formulärets klimat.

Vad anpassningen inte vet
Allt utom uppvärmningsbehovet tas som det står i
formuläret. Varmvattenbehovet och beredarförlusten
tas som de är skrivna; ett för stort varmvattenbehov
ger ett för litet hus, och tvärtom. Detsamma gäller
pannans förluster, inomhustemperaturen och
brännaren. Gas till annat än pannan, till exempel en
gasspis, räknas som pannans. Gratisvärmen är
modellens: 5 grader under inomhustemperaturen.

Varningar och vägran
Har det anpassade huset dygn då brännaren inte
räcker till ens på full effekt, varnar programmet:
så mycket gas kan pannan inte ha eldat, och mätvärdet
eller brännarens effekt bör ses över. Är den uppmätta
gasen mindre än vad varmvattnet och pannans förluster
ensamma tar, finns inget hus som passar, och
programmet säger det. Modellens år växer i små språng
på några kWh; faller mätvärdet i ett sådant språng
och inget uppvärmningsbehov ger gasen inom 1 kWh,
säger programmet också det.)";

constexpr const char* varmepump_text = QT_TRANSLATE_NOOP("HelpTexts", R"(Här ställer du en värmepump bredvid gaspannan, i
samma hus: samma klimatår, värmebehov, varmvatten och
värmesystem. Resultatrutan visar sedan båda sida vid
sida i köpt energi, kronor och kilo koldioxid per år.

COP och årsvärmefaktor
COP (värmefaktor) är värmen pumpen ger delad med elen
den tar i ett visst ögonblick, till exempel 3,2 vid
-7 °C ute och 35 °C framledning. Den sjunker när det
blir kallare ute och när vattnet till radiatorerna
ska vara varmare. Årsvärmefaktorn (SPF) är hela årets
värme delad med hela årets el för pumpen, elpatronen
och viloeffekterna, utan cirkulationspumpen.
Certifikatens SCOP är samma slags tal för ett
standardhus och ett standardklimat; dialogen visar
det bredvid det modellen räknar fram ur samma
provpunkter.

Balanstemperatur och elpatron
Under balanstemperaturen (bivalenspunkten) räcker
pumpens effekt inte till husets behov vid
radiatorernas temperatur, och elpatronen tar resten
med COP 1. En luft/vattenpump stängs dessutom av
under sin lägsta drifttemperatur. Dygnen med elpatron
och dess värme står i resultatrutan. Värme som inte
ens elpatronen räcker till står som värme som inte
täcks.

Framledningstemperaturen
Ju varmare vatten värmesystemet behöver, desto mer
el tar pumpen för samma värme. Golvvärme (35 °C) ger
en betydligt högre årsvärmefaktor än äldre radiatorer
(55 °C eller mer). Känslighetsanalysen över
framledningstemperaturen visar var värmepumpens och
gaspannans kostnader möts.

Enheterna
Typisk värmepump: verkningsgraden är medianen för
certifierade enheter av samma slag, effekten den du
anger vid märkpunkten (A7/W35 för luft, B0/W35 för
bergvärme). Certifierade enheter: deklarationer
enligt EN 14825 ur Heat Pump KEYMARK (keymark.eu),
hämtade ur hplib (Tjaden, Hoops, Rösken 2021,
CC BY 4.0). Med "Annan fil…" öppnar du en annan
Keymark-fil i samma format.

Återbetalningstid
Investeringen minus den pannkostnad som undviks,
delad med årets besparing: gaspannans gas och
cirkulationspumpens el, och den fasta avgiften om
gasanslutningen avslutas, minus värmepumpens el.
Utan besparing lönar sig pumpen inte.

Vad en dygnsmodell inte visar
Programmet räknar med dygnets medeltemperatur. De
kallaste timmarnas toppeffekt, husets säkringar,
effekttariffer, avfrostning timme för timme och
bullret syns inte här.)");

constexpr const char* own_temps_text = QT_TRANSLATE_NOOP("HelpTexts", R"(Egna temperaturer

Värmesystemets dimensionerande temperaturer är
framlednings- och returtemperaturen på de kallaste
dygnen, då huset behöver sin största effekt. På
mildare dygn är båda lägre; programmet räknar fram
dem ur radiatorformeln.

Typiska värden
  Golvvärme                          35/28 °C
  Lågtempererade radiatorer          45/35 °C
  Rikligt tilltagna radiatorer       70/50 °C
  Äldre radiatorer                   80/60 °C

Så hittar du dina egna
Se vilken framledningstemperatur värmesystemet
behöver en riktigt kall dag för att huset ska hålla
sig varmt, och vad vattnet har då det kommer
tillbaka till pannan. Reglercentralens kurva visar
ofta framledningen vid den lägsta utetemperaturen.
Installatörens beräkning, eller en termometer på
rören en kall dag, ger båda.

Gränser
Framledningen ska ligga mellan 25 och 95 °C, över
returen, och returen över inomhustemperaturen.

Lägre temperaturer ger en kondenserande panna mer
kondensation, om pannan låter returen följa
värmesystemet (lägsta temperatur till pannan
20 °C). En panna som håller returen vid 65 °C
vinner nästan inget.

Golvvärme räknas med radiatorernas exponent 1,3;
ett golvs är närmare 1,1, så på mildare dygn blir
temperaturerna något lägre i verkligheten än i
beräkningen.

En styrfil med egna temperaturer har B på rad 18
och temperaturerna på rad 26-28. Ett äldre
beräkningsprogram läser bara rad 18 och räknar
då med 55/45 °C.)");

}  // namespace

QString help_text(const QString& form_name) {
  const char* text = nullptr;
  if (form_name == u"inmatningsord") {
    text = inmatningsord_text;
  } else if (form_name == u"HelpBurn") {
    text = helpburn_text;
  } else if (form_name == QLatin1String(control::help::kHotWaterDialog)) {
    text = form3_text;
  } else if (form_name == u"Helpkonv") {
    text = helpkonv_text;
  } else if (form_name == u"stillestand") {
    text = stillestand_text;
  } else if (form_name == QLatin1String(control::help::kFlueGasDialog)) {
    text = form1_text;
  } else if (form_name == u"HelpHeat") {
    text = helpheat_text;
  } else if (form_name == u"Kostnadshjalp") {
    text = kostnad_text;
  } else if (form_name == u"Matarhjalp") {
    text = matare_text;
  } else if (form_name == QLatin1String(control::help::kOwnTempsDialog)) {
    return QCoreApplication::translate("HelpTexts", own_temps_text);
  } else if (form_name == u"Varmepumphjalp") {
    return QCoreApplication::translate("HelpTexts", varmepump_text);
  }
  return text == nullptr ? QString() : QString::fromUtf8(text);
}

QString proginfo_text() {
  return QLatin1Char('\t') + QString::fromUtf8(proginfo_body);
}

QString about_text() {
  return QString::fromUtf8(about_body);
}

}  // namespace varmkalk
