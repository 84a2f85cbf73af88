<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>frmAbout</name>
    <message>
        <location filename="../about/frmAbout.ui" line="+155"/>
        <source>Home Business Opportunity. Start your own Internet business and make money online. Get this software fully branded for your website.</source>
        <translation>Geschäftsidee für zu Hause: Starte dein eigenes Internetgeschäft und verdiene online Geld. Hol dir dieses Programm ganz mit deiner Marke.</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>Click here for more details.</source>
        <translation>Hier klicken für Details.</translation>
    </message>
    <message>
        <location line="+99"/>
        <source>Tressora calculates your chances of losing your hair based on your age and level of stress. This can be used as a guideline to reduce stress and take preventive measures. Copyright © 2026 Orvane Softwares, all rights reserved.</source>
        <translation>Tressora berechnet anhand von Alter und Stresslevel, wie wahrscheinlich du deine Haare verlierst. Das kann dir als Anstoß dienen, Stress abzubauen und vorzubeugen. Copyright © 2026 Orvane Softwares, alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <location line="+108"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Program icon</source>
        <translation>Programmsymbol</translation>
    </message>
</context>
<context>
    <name>frmDisplay</name>
    <message>
        <location filename="../quiz/frmDisplay.ui" line="+149"/>
        <source>Home Business Opportunity. Start your own Internet business and make money online. Get this software fully branded for your website. Click here for more details.</source>
        <translation>Geschäftsidee für zu Hause: Starte dein eigenes Internetgeschäft und verdiene online Geld. Hol dir dieses Programm ganz mit deiner Marke. Hier klicken für Details.</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site&apos;s name &amp;  link here. See &quot;Help&quot; for details.    Click Here for more info on co-branding.</source>
        <translation>Co-Branding für deine Website: mehr Stammbesucher und mehr Traffic. Name und Link deiner Website kommen hierher. Details unter „Hilfe“. Hier klicken für mehr zum Co-Branding.</translation>
    </message>
    <message>
        <location line="+88"/>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Tressora Result</source>
        <translation>Tressora-Ergebnis</translation>
    </message>
    <message>
        <location line="+99"/>
        <source>Level Of Stress</source>
        <translation>Stresslevel</translation>
    </message>
    <message>
        <location line="+109"/>
        <source>Age</source>
        <translation>Alter</translation>
    </message>
    <message>
        <location line="+137"/>
        <source>You will most likely lose all your hair by the age of</source>
        <translation>Du verlierst wahrscheinlich alle Haare bis zum Alter von</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Chances of Losing Hair</source>
        <translation>Risiko für Haarausfall</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Online Help</source>
        <translation>&amp;Online-Hilfe</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Visit Us Online</source>
        <translation>Unsere &amp;Website besuchen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Check for Software &amp;Update</source>
        <translation>Nach &amp;Updates suchen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;About Software</source>
        <translation>Über die &amp;Software</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Donate</source>
        <translation>&amp;Spenden</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Make Money &amp;Online</source>
        <translation>Online &amp;Geld verdienen</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <location filename="../quiz/frmMain.ui" line="+167"/>
        <source>Tressora calculates your chances of losing your hair based on your age and level of stress. Take the quiz now to know your chances of going bald.</source>
        <translation>Tressora berechnet anhand von Alter und Stresslevel, wie wahrscheinlich du deine Haare verlierst. Mach jetzt das Quiz und finde heraus, ob dir eine Glatze droht.</translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site&apos;s name &amp;  link here. See &quot;Help&quot; for details.    Click Here for more info on co-branding.</source>
        <translation>Co-Branding für deine Website: mehr Stammbesucher und mehr Traffic. Name und Link deiner Website kommen hierher. Details unter „Hilfe“. Hier klicken für mehr zum Co-Branding.</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Home Business Opportunity. Start your own Internet business and make money online. Get this software fully branded for your website. Click here for more details.</source>
        <translation>Geschäftsidee für zu Hause: Starte dein eigenes Internetgeschäft und verdiene online Geld. Hol dir dieses Programm ganz mit deiner Marke. Hier klicken für Details.</translation>
    </message>
    <message>
        <location line="+66"/>
        <location line="+963"/>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="-927"/>
        <source>Select Your Current Stage of Hair Growth/Loss</source>
        <translation>Wähle dein aktuelles Stadium von Haarwuchs bzw. Haarausfall</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>P.S This Quiz has been created only for entertainment purpose</source>
        <translation>P.S. Dieses Quiz dient nur der Unterhaltung.</translation>
    </message>
    <message>
        <location line="+164"/>
        <source>Full Head of Hair</source>
        <translation>Volles Haar</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Hairline has begun to recede </source>
        <translation>Erste Geheimratsecken</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Hairline has receded and thin hair on top of head</source>
        <translation>Geheimratsecken und oben schütteres Haar</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Significant thin or bald hair on top/back of head</source>
        <translation>Oben/hinten stark gelichtet oder kahl</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Complete hair loss on top of head.Only sides remain </source>
        <translation>Oben völlig kahl, nur an den Seiten noch Haare</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>Calculate My Hair Loss</source>
        <translation>Haarausfall berechnen</translation>
    </message>
    <message>
        <location line="+64"/>
        <location line="+122"/>
        <source>Level of Stress</source>
        <translation>Stresslevel</translation>
    </message>
    <message>
        <location line="-68"/>
        <location line="+84"/>
        <source>Sex</source>
        <translation>Geschlecht</translation>
    </message>
    <message>
        <location line="-30"/>
        <location line="+46"/>
        <source>Age</source>
        <translation>Alter</translation>
    </message>
    <message>
        <location line="+72"/>
        <source>Family History</source>
        <translation>Familiäre Veranlagung</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>My Paternal Grandfather has the problem of baldness</source>
        <translation>Mein Großvater väterlicherseits hat eine Glatze</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>My Maternal Grandfather has the problem of baldness</source>
        <translation>Mein Großvater mütterlicherseits hat eine Glatze</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>My Father has the problem of baldness</source>
        <translation>Mein Vater hat eine Glatze</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>&amp;Online Help</source>
        <translation>&amp;Online-Hilfe</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Visit Us Online</source>
        <translation>Unsere &amp;Website besuchen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Check for Software Update</source>
        <translation>Nach &amp;Updates suchen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;About Software</source>
        <translation>Über die &amp;Software</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Donate</source>
        <translation>&amp;Spenden</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Make Money &amp;Online</source>
        <translation>Online &amp;Geld verdienen</translation>
    </message>
</context>
<context>
    <name>frmNagScreen2</name>
    <message>
        <location filename="../outreach/frmNagScreen2.ui" line="+51"/>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Click Here To Visit Orvane Now</source>
        <translation>Hier klicken und Orvane jetzt besuchen</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Program icon</source>
        <translation>Programmsymbol</translation>
    </message>
    <message>
        <location line="+126"/>
        <source>Refer A Friend</source>
        <translation>Einem Freund empfehlen</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+11"/>
        <source>Your Name</source>
        <translation>Dein Name</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Refer A Friend &amp;Now</source>
        <translation>Jetzt &amp;empfehlen</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+11"/>
        <source>Your Email Address</source>
        <translation>Deine E-Mail-Adresse</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+11"/>
        <source>Friend&apos;s Email Address</source>
        <translation>E-Mail-Adresse deines Freundes</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+11"/>
        <source>Friend&apos;s Name</source>
        <translation>Name deines Freundes</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Download Orvane Softwares</source>
        <translation>Orvane-Software herunterladen</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Discover the other free programs from Orvane Softwares. Orvane offers a wide catalogue of programs for work, for learning and for play, with something for everyone.                                                             Every one of them is simple, fun and informative, so try them out and share them with your friends and family. </source>
        <translation>Entdecke die anderen kostenlosen Programme von Orvane Softwares. Orvane bietet eine große Auswahl an Programmen für Arbeit, Lernen und Spiel – für jeden ist etwas dabei.
Alle sind einfach, unterhaltsam und informativ. Probier sie aus und teile sie mit Freunden und Familie.</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Click Here To Visit Orvane Softwares</source>
        <translation>Orvane Softwares besuchen</translation>
    </message>
    <message>
        <location line="-186"/>
        <location filename="../outreach/referral.cpp" line="+16"/>
        <source>Your Message</source>
        <translation>Deine Nachricht</translation>
    </message>
</context>
<context>
    <name>tressora::QuizWindow</name>
    <message>
        <location filename="../quiz/quizwindow.cpp" line="+13"/>
        <source>The Most Popular Online Orvane Discussion Board. Best Resource For Everything Orvane. Visit %1 Now</source>
        <translation>Das beliebteste Orvane-Diskussionsforum im Netz. Die beste Quelle für alles rund um Orvane. Besuche jetzt %1</translation>
    </message>
</context>
<context>
    <name>tressora::Referral</name>
    <message>
        <location filename="../outreach/referral.cpp" line="+38"/>
        <source>Please Enter Distinct Email Addresses</source>
        <translation>Bitte gib zwei verschiedene E-Mail-Adressen ein</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+2"/>
        <source>Please Enter Proper Email Address</source>
        <translation>Bitte gib eine gültige E-Mail-Adresse ein</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Please Enter Your Name</source>
        <translation>Bitte gib deinen Namen ein</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please Enter Your Email</source>
        <translation>Bitte gib deine E-Mail-Adresse ein</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please Enter Your Message</source>
        <translation>Bitte gib deine Nachricht ein</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please Enter Your Friend&apos;s Name</source>
        <translation>Bitte gib den Namen deines Freundes ein</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please Enter Your Friend&apos;s Email</source>
        <translation>Bitte gib die E-Mail-Adresse deines Freundes ein</translation>
    </message>
</context>
<context>
    <name>tressora::Scoring</name>
    <message>
        <location filename="../quiz/scoring.cpp" line="+63"/>
        <source>Not Likely</source>
        <translation>Eher nicht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quite Possibly</source>
        <translation>Gut möglich</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Most Likely</source>
        <translation>Sehr wahrscheinlich</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>For Sure</source>
        <translation>Ganz sicher</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>No Stress</source>
        <translation>Kein Stress</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Little Stress</source>
        <translation>Wenig Stress</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>More Than Little Stress</source>
        <translation>Etwas mehr Stress</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Moderate Stress</source>
        <translation>Mäßiger Stress</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>High Stress</source>
        <translation>Hoher Stress</translation>
    </message>
</context>
<context>
    <name>tressora::StartProgram</name>
    <message>
        <location filename="../app/application.cpp" line="+89"/>
        <source>Application is already running</source>
        <translation>Das Programm läuft bereits</translation>
    </message>
</context>
<context>
    <name>tressora::UpdatePrompt</name>
    <message>
        <location filename="../outreach/updateschedule.cpp" line="+91"/>
        <source>There maybe an update to this software available<byte value="xd"/>Do you want to check for an update?</source>
        <translation>Möglicherweise gibt es ein Update für dieses Programm.<byte value="xd"/>Möchtest du jetzt nach einem Update suchen?</translation>
    </message>
</context>
<context>
    <name>tressora::frmAbout</name>
    <message>
        <location filename="../about/frmAbout.cpp" line="+26"/>
        <source>Click here to visit %1</source>
        <translation>Hier geht&apos;s zu %1</translation>
    </message>
</context>
<context>
    <name>tressora::frmMain</name>
    <message>
        <location filename="../quiz/frmMain.cpp" line="+57"/>
        <source>Male</source>
        <translation>Mann</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Female</source>
        <translation>Frau</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>female</source>
        <comment>picture set</comment>
        <translation>weibliche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>male</source>
        <comment>picture set</comment>
        <translation>männliche</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Head picture, %1 set: %2</source>
        <translation>Kopfbild, %1 Reihe: %2</translation>
    </message>
</context>
<context>
    <name>tressora::frmNagScreen2</name>
    <message>
        <location filename="../outreach/frmNagScreen2.cpp" line="+19"/>
        <source>Orvane Softwares, such as this can be created and maintained only with your support. The best way to support Orvane is to visit Orvane regularly and take part in the discussions and other activities on the board.</source>
        <translation>Programme wie dieses kann Orvane Softwares nur mit deiner Unterstützung entwickeln und pflegen. Am besten unterstützt du Orvane, indem du regelmäßig vorbeischaust und im Forum bei Diskussionen und Aktionen mitmachst.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Visit Orvane regularly. Support Orvane by taking part in the discussions and other activities. These softwares cannot be supported and maintained, without you regularly visiting Orvane</source>
        <translation>Besuche Orvane regelmäßig. Unterstütze Orvane, indem du bei den Diskussionen und anderen Aktionen mitmachst. Ohne deine regelmäßigen Besuche bei Orvane können diese Programme nicht betreut und gepflegt werden.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Orvane is a FREE online discussion forum for all things Orvane. To help Orvane develop and maintain this software visit Orvane regularly.</source>
        <translation>Orvane ist ein KOSTENLOSES Online-Diskussionsforum rund um alles, was mit Orvane zu tun hat. Hilf Orvane, dieses Programm weiterzuentwickeln und zu pflegen: Besuche Orvane regelmäßig.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Orvane needs your help. All you need to do is visit Orvane regularly and take part in the various discussions and activites to help us maintain and develop more Orvane Softwares.</source>
        <translation>Orvane braucht deine Hilfe. Besuche Orvane einfach regelmäßig und mach bei den Diskussionen und Aktionen mit – so hilfst du uns, weitere Orvane-Programme zu pflegen und zu entwickeln.</translation>
    </message>
    <message>
        <location line="+175"/>
        <source>Email Address Cannot Contain Space</source>
        <translation>Die E-Mail-Adresse darf keine Leerzeichen enthalten</translation>
    </message>
</context>
</TS>
