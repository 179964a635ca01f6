INSERT INTO `ps_feature_value_lang` (`id_feature_value`,`id_lang`,`value`) VALUES (1,1,'M 20 X 1.5'),(2,1,'76');
