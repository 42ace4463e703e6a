// The window system's key codes in engine keys.
#include <gtest/gtest.h>

#include <map>

#include <SFML/Window/Event.hpp>

#include "EventKeyboard.h"
#include "InputManager.h"
#include "LogManager.h"

TEST(KeyTable, EveryCodeHasItsEngineKey) {
  // SFML 2.5 key code -> engine key, for every code the engine names.
  std::map<int, int> named = {
      {36, ks::ESCAPE},     {37, ks::LEFTCONTROL}, {38, ks::LEFTSHIFT}, {41, ks::RIGHTCONTROL},
      {42, ks::RIGHTSHIFT}, {48, ks::SEMICOLON},   {49, ks::COMMA},     {50, ks::PERIOD},
      {51, ks::QUOTE},      {52, ks::SLASH},       {53, ks::BACKSLASH}, {54, ks::TILDE},
      {55, ks::EQUAL},      {57, ks::SPACE},       {58, ks::RETURN},    {59, ks::BACKSPACE},
      {60, ks::TAB},        {67, ks::PLUS},        {68, ks::MINUS},     {69, ks::MULTIPLY},
      {71, ks::LEFTARROW},  {72, ks::RIGHTARROW},  {73, ks::UPARROW},   {74, ks::DOWNARROW},
      {100, ks::PAUSE},     {26, ks::NUM0}};
  for (int i = 0; i < 26; i++)
    named[i] = ks::A + i;
  for (int i = 0; i < 9; i++)
    named[27 + i] = ks::NUM1 + i;
  for (int i = 0; i < 12; i++)
    named[85 + i] = ks::F1 + i;
  ASSERT_EQ(26u + 10u + 12u + 25u, named.size());

  for (int code = -1; code <= 120; code++) {
    auto it = named.find(code);
    int expected = it != named.end() ? it->second : code + 97;
    EXPECT_EQ(expected, ks::InputManager::translateKey(code)) << "code " << code;
  }
  // Spot checks against the engine's own numbering.
  EXPECT_EQ(36, ks::InputManager::translateKey(sf::Keyboard::A));
  EXPECT_EQ(71, ks::InputManager::translateKey(sf::Keyboard::Num0));
  EXPECT_EQ(72, ks::InputManager::translateKey(sf::Keyboard::BackSpace));
  EXPECT_EQ(136, ks::InputManager::translateKey(sf::Keyboard::LAlt));
  EXPECT_EQ(153, ks::InputManager::translateKey(sf::Keyboard::Dash));
  EXPECT_EQ(96, ks::InputManager::translateKey(sf::Keyboard::Unknown));
}

TEST(KeyTable, KeyboardEventLeavesTheActionOpen) {
  sf::Event event;
  event.type = sf::Event::KeyPressed;
  event.key = {sf::Keyboard::Q, false, false, false, false};
  ks::EventKeyboard e = ks::InputManager::getInstance().toEventKeyboard(event);
  EXPECT_EQ(ks::Q, e.getKey());
  EXPECT_EQ(-1, e.getKeyboardAction());
  EXPECT_EQ(ks::KEYBOARD_EVENT, e.getType());
}
