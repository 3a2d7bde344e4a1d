#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Varnel MINI VX-40 / MOBILE VX-80 Series Program Software.( VIP )"));
    w.show();
    return app.exec();
}
